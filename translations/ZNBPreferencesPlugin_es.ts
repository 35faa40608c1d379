<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Video Library</source>
        <translation>Videoteca</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Reproducción</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Subtítulos</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avanzado</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;General Preferences&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Preferencias generales&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the global settings for the Zelk Player application.</source>
        <translation>Administre la configuración general de la aplicación Zelk Player.</translation>
    </message>
    <message>
        <source> Default Video Folder:</source>
        <translation> Carpeta de vídeos predeterminada:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Examinar...</translation>
    </message>
    <message>
        <source>General Preferences:</source>
        <translation>Preferencias generales:</translation>
    </message>
    <message>
        <source>Disable banner ads in player</source>
        <translation>Desactivar los banners publicitarios del reproductor</translation>
    </message>
    <message>
        <source>Always display Zelk Player on top of other applications</source>
        <translation>Mostrar siempre Zelk Player por encima de las demás aplicaciones</translation>
    </message>
    <message>
        <source>Disable tooltips</source>
        <translation>Desactivar la información sobre herramientas</translation>
    </message>
    <message>
        <source>Auto-hide inactive buttons</source>
        <translation>Ocultar automáticamente los botones inactivos</translation>
    </message>
    <message>
        <source>Video File Opening:</source>
        <translation>Apertura de archivos de vídeo:</translation>
    </message>
    <message>
        <source>When showing the &quot;Open Video&quot; dialog, default to:</source>
        <translation>Carpeta que muestra primero el diálogo «Abrir vídeo»:</translation>
    </message>
    <message>
        <source>My default video folder</source>
        <translation>Mi carpeta de vídeos predeterminada</translation>
    </message>
    <message>
        <source>The last opened folder</source>
        <translation>La última carpeta abierta</translation>
    </message>
    <message>
        <source>Other:</source>
        <translation>Otra:</translation>
    </message>
    <message>
        <source>Default View:</source>
        <translation>Vista predeterminada:</translation>
    </message>
    <message>
        <source>is the default view when Zelk Player opens</source>
        <translation>es la vista que se muestra al abrir Zelk Player</translation>
    </message>
    <message>
        <source>Video File Association:</source>
        <translation>Asociación de archivos de vídeo:</translation>
    </message>
    <message>
        <source>Use Zelk Player as the default video player for the following file types:</source>
        <translation>Usar Zelk Player como reproductor de vídeo predeterminado para los siguientes tipos de archivo:</translation>
    </message>
    <message>
        <source>.avi</source>
        <translation>.avi</translation>
    </message>
    <message>
        <source>.zelk</source>
        <translation>.zelk</translation>
    </message>
    <message>
        <source>.xvid</source>
        <translation>.xvid</translation>
    </message>
    <message>
        <source>.mkv</source>
        <translation>.mkv</translation>
    </message>
    <message>
        <source>.mov</source>
        <translation>.mov</translation>
    </message>
    <message>
        <source>.mp4</source>
        <translation>.mp4</translation>
    </message>
    <message>
        <source>.wmv</source>
        <translation>.wmv</translation>
    </message>
    <message>
        <source>.vob</source>
        <translation>.vob</translation>
    </message>
    <message>
        <source>.mpg/.mpeg</source>
        <translation>.mpg/.mpeg</translation>
    </message>
    <message>
        <source>.asf</source>
        <translation>.asf</translation>
    </message>
    <message>
        <source>.qt</source>
        <translation>.qt</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Video Library Preferences&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Preferencias de la videoteca&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the library settings for the Zelk Player application.</source>
        <translation>Administre la configuración de la videoteca de la aplicación Zelk Player.</translation>
    </message>
    <message>
        <source>Video Library Settings:</source>
        <translation>Configuración de la videoteca:</translation>
    </message>
    <message>
        <source>Auto-clear downloads from Download Manager when complete</source>
        <translation>Quitar automáticamente del gestor de descargas las descargas completadas</translation>
    </message>
    <message>
        <source>Automatically close import dialog when complete</source>
        <translation>Cerrar automáticamente el diálogo de importación al terminar</translation>
    </message>
    <message>
        <source>Always resume downloads on Zelk Player startup</source>
        <translation>Reanudar siempre las descargas al iniciar Zelk Player</translation>
    </message>
    <message>
        <source>Add video files to library when played</source>
        <translation>Añadir los archivos de vídeo a la videoteca al reproducirlos</translation>
    </message>
    <message>
        <source>Automatically add video files to library that are in the default video folder</source>
        <translation>Añadir automáticamente a la videoteca los archivos de la carpeta de vídeos predeterminada</translation>
    </message>
    <message>
        <source>Default to delete video files from the hard drive when deleting from the library</source>
        <translation>Al quitar vídeos de la videoteca, borrarlos también del disco duro de forma predeterminada</translation>
    </message>
    <message>
        <source>Enable &quot;Recently Watched&quot; video tracking</source>
        <translation>Activar el seguimiento de vídeos «Vistos recientemente»</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Playback Preferences&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Preferencias de reproducción&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the playback settings for the Zelk Player application.</source>
        <translation>Administre la configuración de reproducción de la aplicación Zelk Player.</translation>
    </message>
    <message>
        <source> Playback Options: </source>
        <translation> Opciones de reproducción: </translation>
    </message>
    <message>
        <source>Resume playback from last position for all videos</source>
        <translation>Reanudar la reproducción de todos los vídeos desde la última posición</translation>
    </message>
    <message>
        <source>Show &apos;resume playback&apos; message when video loads</source>
        <translation>Ofrecer «Reanudar la reproducción» al cargar un vídeo</translation>
    </message>
    <message>
        <source>Resize Player to Fit Video</source>
        <translation>Ajustar el tamaño del reproductor al vídeo</translation>
    </message>
    <message>
        <source>Disable all screen savers while playing videos</source>
        <translation>Desactivar los protectores de pantalla durante la reproducción de vídeos</translation>
    </message>
    <message>
        <source>Automatically play last video left open on player quit</source>
        <translation>Volver a reproducir el vídeo que seguía abierto al cerrar el reproductor</translation>
    </message>
    <message>
        <source>Pause video when player loses focus</source>
        <translation>Pausar el vídeo cuando el reproductor pierda el foco</translation>
    </message>
    <message>
        <source>Blackout videos when paused</source>
        <translation>Mostrar la pantalla en negro durante la pausa</translation>
    </message>
    <message>
        <source>Language Options:</source>
        <translation>Opciones de idioma:</translation>
    </message>
    <message>
        <source>Subtitle language:</source>
        <translation>Idioma de los subtítulos:</translation>
    </message>
    <message>
        <source>Audio language:</source>
        <translation>Idioma del audio:</translation>
    </message>
    <message>
        <source>Menu language:</source>
        <translation>Idioma de los menús:</translation>
    </message>
    <message>
        <source>Video Settings:</source>
        <translation>Configuración de vídeo:</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brillo</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturación</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;External Subtitle Preferences&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Preferencias de subtítulos externos&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the external subtitle settings for Zelk Player application</source>
        <translation>Administre la configuración de subtítulos externos de la aplicación Zelk Player</translation>
    </message>
    <message>
        <source>External Subtitles:</source>
        <translation>Subtítulos externos:</translation>
    </message>
    <message>
        <source>Turn simultaneous dual subtitle display off</source>
        <translation>Desactivar la visualización simultánea de dos subtítulos</translation>
    </message>
    <message>
        <source>Automatically use corresponding subtitle files</source>
        <translation>Usar automáticamente los archivos de subtítulos correspondientes</translation>
    </message>
    <message>
        <source>Always use my font</source>
        <translation>Usar siempre mi fuente</translation>
    </message>
    <message>
        <source>Default Encoding:</source>
        <translation>Codificación predeterminada:</translation>
    </message>
    <message>
        <source>Subtitle Font</source>
        <translation>Fuente de los subtítulos</translation>
    </message>
    <message>
        <source>Subtitle Sample</source>
        <translation>Muestra de subtítulo</translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation>Color del texto</translation>
    </message>
    <message>
        <source>Outline Color</source>
        <translation>Color del contorno</translation>
    </message>
    <message>
        <source>Delay (1/10s):</source>
        <translation>Retraso (1/10 s):</translation>
    </message>
    <message>
        <source>MicroDVD (SUB) Frame Rate:</source>
        <translation>FPS de MicroDVD (SUB):</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Advanced Preferences&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Preferencias avanzadas&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage advanced settings for the Zelk Player application.</source>
        <translation>Administre la configuración avanzada de la aplicación Zelk Player.</translation>
    </message>
    <message>
        <source>Restore Player Defaults:</source>
        <translation>Restaurar los valores predeterminados del reproductor:</translation>
    </message>
    <message>
        <source>Global Reset</source>
        <translation>Restablecer todo</translation>
    </message>
    <message>
        <source>Video Output</source>
        <translation>Salida de vídeo</translation>
    </message>
    <message>
        <source>Preferred Video Output Method:</source>
        <translation>Método de salida de vídeo preferido:</translation>
    </message>
    <message>
        <source>Deinterlacing Method:</source>
        <translation>Método de desentrelazado:</translation>
    </message>
    <message>
        <source>Disable Hardware Decoding</source>
        <translation>Desactivar la decodificación por hardware</translation>
    </message>
    <message>
        <source> Playback Quality: </source>
        <translation> Calidad de reproducción: </translation>
    </message>
    <message>
        <source>Post-processing mode:</source>
        <translation>Modo de posprocesado:</translation>
    </message>
    <message>
        <source>Deblocking:</source>
        <translation>Desbloqueo:</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Mín</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Máx</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Aplicar</translation>
    </message>
</context>
<context>
    <name>ZelkNimbo::ZNBPreferencesPlugin</name>
    <message>
        <source>Restart Zelk Player</source>
        <translation>Reiniciar Zelk Player</translation>
    </message>
    <message>
        <source>You will need to restart Zelk Player in order for your changes to take effect. If you do not restart now you will not be able to watch any videos until you restart Zelk Player. Would you like to quit now?</source>
        <translation>Debe reiniciar Zelk Player para que los cambios surtan efecto. Si no lo reinicia ahora, no podrá ver ningún vídeo hasta que reinicie Zelk Player. ¿Desea salir ahora?</translation>
    </message>
    <message>
        <source>Global Reset</source>
        <translation>Restablecer todo</translation>
    </message>
    <message>
        <source>All current preference settings will be reset to default values. Are you really sure?</source>
        <translation>Todas las preferencias actuales volverán a sus valores predeterminados. ¿Está seguro?</translation>
    </message>
    <message>
        <source>Video Folder</source>
        <translation>Carpeta de vídeos</translation>
    </message>
    <message>
        <source>Open File Default Folder</source>
        <translation>Carpeta predeterminada para abrir archivos</translation>
    </message>
    <message>
        <source>Subtitle Font</source>
        <translation>Fuente de los subtítulos</translation>
    </message>
    <message>
        <source>%1 %2pt</source>
        <extracomment>&lt;font name&gt; &lt;font size&gt;</extracomment>
        <translation>%1 %2 pt</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>Automatic Deblocking</source>
        <translation>Desbloqueo automático</translation>
    </message>
    <message>
        <source>Custom Deblocking</source>
        <translation>Desbloqueo personalizado</translation>
    </message>
    <message>
        <source>Full Deblocking With Sharpening</source>
        <translation>Desbloqueo completo con enfoque</translation>
    </message>
    <message>
        <source>None (fastest)</source>
        <translation>Ninguno (el más rápido)</translation>
    </message>
    <message>
        <source>Bob (slowest)</source>
        <translation>Bob (el más lento)</translation>
    </message>
    <message>
        <source>Top Field Only (medium)</source>
        <translation>Solo campo superior (intermedio)</translation>
    </message>
    <message>
        <source>Bottom Field Only (medium)</source>
        <translation>Solo campo inferior (intermedio)</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Reproducción</translation>
    </message>
    <message>
        <source>Video Library</source>
        <translation>Videoteca</translation>
    </message>
    <message>
        <source>Download Manager</source>
        <translation>Gestor de descargas</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>System Encoding (Default)</source>
        <translation>Codificación del sistema (predeterminada)</translation>
    </message>
    <message>
        <source>24p (24000/1001)</source>
        <translation>24p (24000/1001)</translation>
    </message>
    <message>
        <source>25p</source>
        <translation>25p</translation>
    </message>
    <message>
        <source>30p</source>
        <translation>30p</translation>
    </message>
    <message>
        <source>50p</source>
        <translation>50p</translation>
    </message>
    <message>
        <source>60p (60000/1001)</source>
        <translation>60p (60000/1001)</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>¿Guardar los cambios?</translation>
    </message>
    <message>
        <source>The current settings have not been saved. Would you like to save them?</source>
        <translation>La configuración actual no se ha guardado. ¿Desea guardarla?</translation>
    </message>
    <message>
        <source>Best Available</source>
        <translation>Mejor disponible</translation>
    </message>
    <message>
        <source>Your preferences could not all be saved. The settings before the video output method are saved; the video output method, hardware decoding and the on-screen display font keep their previous values. Press Apply to try again.</source>
        <translation>No se han podido guardar todas sus preferencias. Los ajustes anteriores al método de salida de vídeo se han guardado; el método de salida de vídeo, la decodificación por hardware y la fuente de la visualización en pantalla conservan sus valores anteriores. Pulse Aplicar para volver a intentarlo.</translation>
    </message>
    <message>
        <source>Your preferences could not be saved. No setting was changed; your edits are still shown. Press Apply to try again.</source>
        <translation>No se han podido guardar sus preferencias. No se ha cambiado ningún ajuste; sus cambios siguen a la vista. Pulse Aplicar para volver a intentarlo.</translation>
    </message>
    <message>
        <source>Preferences not saved</source>
        <translation>Preferencias no guardadas</translation>
    </message>
    <message>
        <source>Preference pages</source>
        <translation>Páginas de preferencias</translation>
    </message>
    <message>
        <source>Default video folder path</source>
        <translation>Ruta de la carpeta de vídeos predeterminada</translation>
    </message>
    <message>
        <source>Browse for the default video folder</source>
        <translation>Examinar la carpeta de vídeos predeterminada</translation>
    </message>
    <message>
        <source>Other folder to open videos from</source>
        <translation>Otra carpeta desde la que abrir vídeos</translation>
    </message>
    <message>
        <source>Browse for the other folder</source>
        <translation>Examinar la otra carpeta</translation>
    </message>
    <message>
        <source>Default view when Zelk Player opens</source>
        <translation>Vista que se muestra al abrir Zelk Player</translation>
    </message>
    <message>
        <source>Reset brightness</source>
        <translation>Restablecer brillo</translation>
    </message>
    <message>
        <source>Reset contrast</source>
        <translation>Restablecer contraste</translation>
    </message>
    <message>
        <source>Reset saturation</source>
        <translation>Restablecer saturación</translation>
    </message>
    <message>
        <source>Preview of the subtitle font and colours</source>
        <translation>Vista previa de la fuente y los colores de los subtítulos</translation>
    </message>
</context>
</TS>
