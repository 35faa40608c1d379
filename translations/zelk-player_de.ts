<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>ZelkShell::PlayerWindow</name>
    <message>
        <source>No video</source>
        <translation>Kein Video</translation>
    </message>
    <message>
        <source>Settings saved in the preferences will apply at the next start.</source>
        <translation>In den Einstellungen gespeicherte Änderungen werden beim nächsten Start wirksam.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Always on &amp;Top</source>
        <translation>&amp;Immer im Vordergrund</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Einstellungen…</translation>
    </message>
    <message>
        <source>P&amp;layback Preferences…</source>
        <translation>&amp;Wiedergabeeinstellungen…</translation>
    </message>
    <message>
        <source>The preferences cannot be opened: %1</source>
        <translation>Die Einstellungen können nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>No video playback in this build.
Asked to open:
%1</source>
        <translation>Diese Version spielt keine Videos ab.
Zu öffnende Dateien:
%1</translation>
    </message>
    <message>
        <source>&quot;Always on Top&quot; could not be stored; it applies until the player quits.</source>
        <translation>„Immer im Vordergrund“ konnte nicht gespeichert werden; die Einstellung gilt bis zum Beenden des Players.</translation>
    </message>
</context>
</TS>
