<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>ZelkShell::PlayerWindow</name>
    <message>
        <source>No video</source>
        <translation>Sin vídeo</translation>
    </message>
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
        <source>Always on &amp;Top</source>
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
        <source>No video playback in this build.
Asked to open:
%1</source>
        <translation>Esta versión no reproduce vídeos.
Archivos que abrir:
%1</translation>
    </message>
    <message>
        <source>&quot;Always on Top&quot; could not be stored; it applies until the player quits.</source>
        <translation>No se pudo guardar «Siempre encima»; se aplicará hasta que se cierre el reproductor.</translation>
    </message>
</context>
</TS>
