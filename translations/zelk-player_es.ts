<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>ZelkShell::DownloadManager</name>
    <message>
        <source>Another Zelk Player is managing the downloads; add the address there.</source>
        <translation>Otro Zelk Player gestiona las descargas; añada la dirección allí.</translation>
    </message>
</context>
<context>
    <name>ZelkShell::DownloadMessages</name>
    <message>
        <source>the server has no file at this address (%1)</source>
        <translation>el servidor no tiene ningún archivo en esta dirección (%1)</translation>
    </message>
    <message>
        <source>the server refused access to the file (%1)</source>
        <translation>el servidor ha denegado el acceso al archivo (%1)</translation>
    </message>
    <message>
        <source>the server failed to send the file (%1)</source>
        <translation>el servidor no ha podido enviar el archivo (%1)</translation>
    </message>
    <message>
        <source>the server answered %1 instead of the file</source>
        <translation>el servidor ha respondido %1 en lugar del archivo</translation>
    </message>
    <message>
        <source>the server %1 refused the connection</source>
        <translation>el servidor %1 ha rechazado la conexión</translation>
    </message>
    <message>
        <source>the server %1 was not found</source>
        <translation>no se ha encontrado el servidor %1</translation>
    </message>
    <message>
        <source>the server %1 stopped answering</source>
        <translation>el servidor %1 ha dejado de responder</translation>
    </message>
    <message>
        <source>the server %1 closed the connection</source>
        <translation>el servidor %1 ha cerrado la conexión</translation>
    </message>
    <message>
        <source>the secure connection to %1 failed: %2</source>
        <translation>la conexión segura con %1 ha fallado: %2</translation>
    </message>
    <message>
        <source>the server redirected the download from https to an address that is not secure; it was not followed</source>
        <translation>el servidor ha redirigido la descarga de https a una dirección no segura; no se ha seguido</translation>
    </message>
    <message>
        <source>the server redirected the download too many times</source>
        <translation>el servidor ha redirigido la descarga demasiadas veces</translation>
    </message>
    <message>
        <source>the server redirected the download to an address that is not http or https</source>
        <translation>el servidor ha redirigido la descarga a una dirección que no es http ni https</translation>
    </message>
    <message>
        <source>the download from %1 failed: %2</source>
        <translation>la descarga desde %1 ha fallado: %2</translation>
    </message>
    <message>
        <source>the disk is full (%1)</source>
        <translation>el disco está lleno (%1)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be written to</source>
        <translation>no se puede escribir en la carpeta %1</translation>
    </message>
    <message>
        <source>the file could not be written in %1: %2</source>
        <translation>no se ha podido escribir el archivo en %1: %2</translation>
    </message>
    <message>
        <source>the connection dropped after %1</source>
        <translation>la conexión se ha cortado tras %1</translation>
    </message>
    <message>
        <source>the connection dropped after %1 of %2</source>
        <translation>la conexión se ha cortado tras %1 de %2</translation>
    </message>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>la carpeta %1 no existe</translation>
    </message>
    <message>
        <source>no default video folder is set in the preferences</source>
        <translation>no hay ninguna carpeta de vídeos predeterminada en las preferencias</translation>
    </message>
    <message>
        <source>Only http and https addresses can be downloaded, not &quot;%1&quot;.</source>
        <translation>Solo se pueden descargar direcciones http y https, no «%1».</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>%1 kB</source>
        <translation>%1 kB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>the folder %1 is a link to another folder; downloads are saved only into the folder itself</source>
        <translation>la carpeta %1 es un enlace a otra carpeta; las descargas solo se guardan en la propia carpeta</translation>
    </message>
    <message>
        <source>the server closed the connection before sending any of the file</source>
        <translation>el servidor cerró la conexión antes de enviar nada del archivo</translation>
    </message>
    <message>
        <source>the server refused to send the file (416 Range Not Satisfiable)</source>
        <translation>el servidor se negó a enviar el archivo (416 Range Not Satisfiable)</translation>
    </message>
    <message>
        <source>the server kept sending another part of the file than the one asked for (%1 tries)</source>
        <translation>el servidor siguió enviando otra parte del archivo distinta de la pedida (%1 intentos)</translation>
    </message>
    <message>
        <source>the server sent only part of the file when the whole file was asked for</source>
        <translation>el servidor envió solo una parte del archivo cuando se pidió el archivo entero</translation>
    </message>
    <message>
        <source>the server was still busy (%1) after %2 tries; try again later</source>
        <translation>el servidor seguía ocupado (%1) tras %2 intentos; inténtelo más tarde</translation>
    </message>
    <message>
        <source>the server needs signing in again: user names and passwords are not kept, so add the address again with them</source>
        <translation>el servidor pide iniciar sesión de nuevo: los nombres de usuario y las contraseñas no se guardan, así que añada de nuevo la dirección con ellos</translation>
    </message>
    <message>
        <source>downloads are not saved in the player&apos;s own data folder (%1); choose another default video folder</source>
        <translation>las descargas no se guardan en la carpeta de datos del propio reproductor (%1); elija otra carpeta de vídeo predeterminada</translation>
    </message>
    <message>
        <source>the folder %1 was moved or replaced by a link during the download; the file was not saved</source>
        <translation>la carpeta %1 se movió o se sustituyó por un enlace durante la descarga; el archivo no se guardó</translation>
    </message>
    <message>
        <source>every name for the file is taken in %1</source>
        <translation>todos los nombres posibles para el archivo ya están ocupados en %1</translation>
    </message>
    <message>
        <source>saved as &quot;%1&quot;, not &quot;%2&quot;: a database would take that name for its journal</source>
        <translation>guardado como «%1», no «%2»: una base de datos tomaría ese nombre por su diario</translation>
    </message>
</context>
<context>
    <name>ZelkShell::DownloadRow</name>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reanudar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>%1/s</source>
        <translation>%1/s</translation>
    </message>
    <message>
        <source>%1 s left</source>
        <translation>quedan %1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s left</source>
        <translation>quedan %1 min %2 s</translation>
    </message>
    <message>
        <source>%1 h %2 min left</source>
        <translation>quedan %1 h %2 min</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>En espera</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Descargando</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>En pausa</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Completada</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Cancelada</translation>
    </message>
</context>
<context>
    <name>ZelkShell::DownloadsView</name>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>No downloads. Enter the address of a video to save it in the default video folder.</source>
        <translation>No hay descargas. Escriba la dirección de un vídeo para guardarlo en la carpeta de vídeos predeterminada.</translation>
    </message>
    <message>
        <source>https://…</source>
        <translation>https://…</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Dirección:</translation>
    </message>
    <message>
        <source>Download Manager</source>
        <translation>Gestor de descargas</translation>
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
    <name>ZelkShell::LateSubtitles</name>
    <message>
        <source>it is %1 MB; above %2 MB the picture would stand still while it is read</source>
        <translation>ocupa %1 MB; por encima de %2 MB la imagen se detendría mientras se lee</translation>
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
    <message>
        <source>The video library cannot be read: %1</source>
        <translation>No se puede leer la videoteca: %1</translation>
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
    <message>
        <source>&amp;Read Large Subtitle File</source>
        <translation>&amp;Leer el archivo de subtítulos grande</translation>
    </message>
    <message>
        <source>The subtitle file &quot;%1&quot; was not read: %2. File &gt; Read Large Subtitle File reads it anyway.</source>
        <translation>El archivo de subtítulos «%1» no se leyó: %2. Archivo &gt; Leer el archivo de subtítulos grande lo lee de todos modos.</translation>
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
