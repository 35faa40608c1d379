<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>ZelkShell::DownloadsView</name>
    <message>
        <source>Downloads are not part of this player. It plays the video files on this computer.</source>
        <translation>Las descargas no forman parte de este reproductor. Reproduce los archivos de vídeo de este ordenador.</translation>
    </message>
</context>
<context>
    <name>ZelkShell::ImportDialog</name>
    <message>
        <source>Import Folder</source>
        <translation>Importar carpeta</translation>
    </message>
    <message>
        <source>Adding the videos in &quot;%1&quot; to the library…</source>
        <translation>Añadiendo a la videoteca los vídeos de «%1»…</translation>
    </message>
    <message>
        <source>Files looked at:</source>
        <translation>Archivos examinados:</translation>
    </message>
    <message>
        <source>Videos added:</source>
        <translation>Vídeos añadidos:</translation>
    </message>
    <message>
        <source>Folders skipped (could not be read):</source>
        <translation>Carpetas omitidas (no se pudieron leer):</translation>
    </message>
    <message>
        <source>Names refused (not valid in the system&apos;s encoding):</source>
        <translation>Nombres rechazados (no válidos en la codificación del sistema):</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Cancelando…</translation>
    </message>
    <message>
        <source>Import cancelled. The videos added so far stay in the library.</source>
        <translation>Importación cancelada. Los vídeos ya añadidos permanecen en la videoteca.</translation>
    </message>
    <message>
        <source>Import finished.</source>
        <translation>Importación terminada.</translation>
    </message>
    <message>
        <source>Some videos could not be written to the library.</source>
        <translation>Algunos vídeos no se han podido guardar en la videoteca.</translation>
    </message>
    <message>
        <source>Folder &quot;%1&quot; imported (videos added: %2).</source>
        <translation>Carpeta «%1» importada (vídeos añadidos: %2).</translation>
    </message>
</context>
<context>
    <name>ZelkShell::LibraryView</name>
    <message>
        <source>Recently watched</source>
        <translation>Vistos recientemente</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Video Library</source>
        <translation>Videoteca</translation>
    </message>
    <message>
        <source>The video library cannot be opened.</source>
        <translation>No se puede abrir la videoteca.</translation>
    </message>
    <message>
        <source>Remove Video</source>
        <translation>Quitar vídeo</translation>
    </message>
    <message>
        <source>Remove &quot;%1&quot; from the library and delete the file from the disk?</source>
        <translation>¿Quitar «%1» de la videoteca y borrar el archivo del disco?</translation>
    </message>
    <message>
        <source>the file could not be deleted</source>
        <translation>no se pudo borrar el archivo</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not removed: %2</source>
        <translation>No se quitó «%1»: %2</translation>
    </message>
    <message>
        <source>Another program is using the video library; it is shown again when it is free.</source>
        <translation>Otro programa está usando la videoteca; se mostrará de nuevo cuando quede libre.</translation>
    </message>
    <message>
        <source>Import Folder…</source>
        <translation>Importar carpeta…</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlaybackBehaviour</name>
    <message>
        <source>Show &amp;Tooltips</source>
        <translation>&amp;Mostrar la información sobre herramientas</translation>
    </message>
    <message>
        <source>&amp;Auto-hide Controls</source>
        <translation>&amp;Ocultar los controles automáticamente</translation>
    </message>
    <message>
        <source>The setting could not be stored; it applies until the player quits.</source>
        <translation>No se pudo guardar la configuración; se aplicará hasta que se cierre el reproductor.</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlaybackControls</name>
    <message>
        <source>Volume</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>Pantalla completa</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlaybackEngine</name>
    <message>
        <source>The playback engine could not be created.</source>
        <translation>No se pudo crear el motor de reproducción.</translation>
    </message>
    <message>
        <source>The playback engine is not running.</source>
        <translation>El motor de reproducción no está en marcha.</translation>
    </message>
    <message>
        <source>The software renderer is in use.</source>
        <translation>Se está usando el renderizador por software.</translation>
    </message>
    <message>
        <source>The playback engine stopped.</source>
        <translation>El motor de reproducción se ha detenido.</translation>
    </message>
    <message>
        <source>a local playlist may not open network addresses</source>
        <translation>una lista de reproducción local no puede abrir direcciones de red</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlayerViews</name>
    <message>
        <source>The video library file was damaged. It was kept as &quot;%1&quot; and a new, empty library was started.</source>
        <translation>El archivo de la videoteca estaba dañado. Se ha conservado como «%1» y se ha creado una videoteca nueva y vacía.</translation>
    </message>
    <message>
        <source>The video library could not be written: %1</source>
        <translation>No se ha podido escribir en la videoteca: %1</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlayerWindow</name>
    <message>
        <source>Settings saved in the preferences will apply at the next start.</source>
        <translation>La configuración guardada en las preferencias se aplicará en el próximo inicio.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>Al&amp;ways on Top</source>
        <translation>Siempre &amp;encima</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Preferencias…</translation>
    </message>
    <message>
        <source>P&amp;layback Preferences…</source>
        <translation>Preferencias de &amp;reproducción…</translation>
    </message>
    <message>
        <source>The preferences cannot be opened: %1</source>
        <translation>No se pueden abrir las preferencias: %1</translation>
    </message>
    <message>
        <source>&quot;Always on Top&quot; could not be stored; it applies until the player quits.</source>
        <translation>No se pudo guardar «Siempre encima»; se aplicará hasta que se cierre el reproductor.</translation>
    </message>
    <message>
        <source>Videos cannot be played: %1</source>
        <translation>No se pueden reproducir vídeos: %1</translation>
    </message>
    <message>
        <source>The playback engine did not start: %1</source>
        <translation>El motor de reproducción no se inició: %1</translation>
    </message>
    <message>
        <source>Drop a video here, or open one from the File menu.</source>
        <translation>Arrastre un vídeo aquí o abra uno desde el menú Archivo.</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>&amp;Abrir…</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>&amp;Pantalla completa</translation>
    </message>
    <message>
        <source>&amp;Playback</source>
        <translation>&amp;Reproducción</translation>
    </message>
    <message>
        <source>Video &amp;Library</source>
        <translation>&amp;Videoteca</translation>
    </message>
    <message>
        <source>&amp;Download Manager</source>
        <translation>&amp;Gestor de descargas</translation>
    </message>
    <message>
        <source>the playback engine is not running</source>
        <translation>el motor de reproducción no está en marcha</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be played: %2</source>
        <translation>No se puede reproducir «%1»: %2</translation>
    </message>
    <message>
        <source>Open Video</source>
        <translation>Abrir vídeo</translation>
    </message>
    <message>
        <source>it is a folder; open the videos inside it instead</source>
        <translation>es una carpeta; abra en su lugar los vídeos que contiene</translation>
    </message>
    <message>
        <source>its name is not valid text and may be taken for another file&apos;s; rename it</source>
        <translation>su nombre no es un texto válido y podría confundirse con el de otro archivo; cámbiele el nombre</translation>
    </message>
    <message>
        <source>&amp;Library</source>
        <translation>Video&amp;teca</translation>
    </message>
    <message>
        <source>&amp;Import Folder…</source>
        <translation>&amp;Importar carpeta…</translation>
    </message>
    <message>
        <source>Choose a Folder to Import</source>
        <translation>Elegir una carpeta para importar</translation>
    </message>
</context>
<context>
    <name>ZelkShell::ResumeOffer</name>
    <message>
        <source>Resume</source>
        <translation>Reanudar</translation>
    </message>
    <message>
        <source>Start from the beginning</source>
        <translation>Empezar desde el principio</translation>
    </message>
    <message>
        <source>You stopped watching this video at %1.</source>
        <translation>Dejó de ver este vídeo en %1.</translation>
    </message>
</context>
</TS>
