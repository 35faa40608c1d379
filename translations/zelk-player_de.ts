<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>ZelkShell::DownloadManager</name>
    <message>
        <source>Another Zelk Player is managing the downloads; add the address there.</source>
        <translation>Ein anderer Zelk Player verwaltet die Downloads; fügen Sie die Adresse dort hinzu.</translation>
    </message>
</context>
<context>
    <name>ZelkShell::DownloadMessages</name>
    <message>
        <source>the server has no file at this address (%1)</source>
        <translation>der Server hat unter dieser Adresse keine Datei (%1)</translation>
    </message>
    <message>
        <source>the server refused access to the file (%1)</source>
        <translation>der Server hat den Zugriff auf die Datei verweigert (%1)</translation>
    </message>
    <message>
        <source>the server failed to send the file (%1)</source>
        <translation>der Server konnte die Datei nicht senden (%1)</translation>
    </message>
    <message>
        <source>the server answered %1 instead of the file</source>
        <translation>der Server hat mit %1 statt der Datei geantwortet</translation>
    </message>
    <message>
        <source>the server %1 refused the connection</source>
        <translation>der Server %1 hat die Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>the server %1 was not found</source>
        <translation>der Server %1 wurde nicht gefunden</translation>
    </message>
    <message>
        <source>the server %1 stopped answering</source>
        <translation>der Server %1 antwortet nicht mehr</translation>
    </message>
    <message>
        <source>the server %1 closed the connection</source>
        <translation>der Server %1 hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>the secure connection to %1 failed: %2</source>
        <translation>die sichere Verbindung zu %1 ist fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>the server redirected the download from https to an address that is not secure; it was not followed</source>
        <translation>der Server hat den Download von https auf eine unsichere Adresse umgeleitet; der Umleitung wurde nicht gefolgt</translation>
    </message>
    <message>
        <source>the server redirected the download too many times</source>
        <translation>der Server hat den Download zu oft umgeleitet</translation>
    </message>
    <message>
        <source>the server redirected the download to an address that is not http or https</source>
        <translation>der Server hat den Download auf eine Adresse umgeleitet, die weder http noch https ist</translation>
    </message>
    <message>
        <source>the download from %1 failed: %2</source>
        <translation>der Download von %1 ist fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>the disk is full (%1)</source>
        <translation>der Datenträger ist voll (%1)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be written to</source>
        <translation>in den Ordner %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the file could not be written in %1: %2</source>
        <translation>die Datei konnte nicht in %1 geschrieben werden: %2</translation>
    </message>
    <message>
        <source>the connection dropped after %1</source>
        <translation>die Verbindung brach nach %1 ab</translation>
    </message>
    <message>
        <source>the connection dropped after %1 of %2</source>
        <translation>die Verbindung brach nach %1 von %2 ab</translation>
    </message>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>der Ordner %1 existiert nicht</translation>
    </message>
    <message>
        <source>no default video folder is set in the preferences</source>
        <translation>in den Einstellungen ist kein Standard-Videoordner festgelegt</translation>
    </message>
    <message>
        <source>Only http and https addresses can be downloaded, not &quot;%1&quot;.</source>
        <translation>Nur http- und https-Adressen können heruntergeladen werden, nicht „%1“.</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Byte</translation>
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
        <translation>der Ordner %1 ist ein Verweis auf einen anderen Ordner; Downloads werden nur im Ordner selbst gespeichert</translation>
    </message>
    <message>
        <source>the server closed the connection before sending any of the file</source>
        <translation>der Server hat die Verbindung geschlossen, bevor er etwas von der Datei gesendet hat</translation>
    </message>
    <message>
        <source>the server refused to send the file (416 Range Not Satisfiable)</source>
        <translation>der Server hat sich geweigert, die Datei zu senden (416 Range Not Satisfiable)</translation>
    </message>
    <message>
        <source>the server kept sending another part of the file than the one asked for (%1 tries)</source>
        <translation>der Server hat wiederholt einen anderen Teil der Datei gesendet als den angeforderten (%1 Versuche)</translation>
    </message>
    <message>
        <source>the server sent only part of the file when the whole file was asked for</source>
        <translation>der Server hat nur einen Teil der Datei gesendet, obwohl die ganze Datei angefordert war</translation>
    </message>
    <message>
        <source>the server was still busy (%1) after %2 tries; try again later</source>
        <translation>der Server war nach %2 Versuchen immer noch ausgelastet (%1); versuchen Sie es später erneut</translation>
    </message>
    <message>
        <source>the server needs signing in again: user names and passwords are not kept, so add the address again with them</source>
        <translation>der Server verlangt eine erneute Anmeldung: Benutzernamen und Passwörter werden nicht aufbewahrt, fügen Sie die Adresse also erneut mit ihnen hinzu</translation>
    </message>
    <message>
        <source>downloads are not saved in the player&apos;s own data folder (%1); choose another default video folder</source>
        <translation>Downloads werden nicht im eigenen Datenordner des Players gespeichert (%1); wählen Sie einen anderen Standard-Videoordner</translation>
    </message>
    <message>
        <source>the folder %1 was moved or replaced by a link during the download; the file was not saved</source>
        <translation>der Ordner %1 wurde während des Downloads verschoben oder durch einen Verweis ersetzt; die Datei wurde nicht gespeichert</translation>
    </message>
    <message>
        <source>every name for the file is taken in %1</source>
        <translation>jeder mögliche Name für die Datei ist in %1 bereits vergeben</translation>
    </message>
    <message>
        <source>saved as &quot;%1&quot;, not &quot;%2&quot;: a database would take that name for its journal</source>
        <translation>gespeichert als „%1“, nicht „%2“: eine Datenbank würde diesen Namen für ihr Journal halten</translation>
    </message>
</context>
<context>
    <name>ZelkShell::DownloadRow</name>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>%1/s</source>
        <translation>%1/s</translation>
    </message>
    <message>
        <source>%1 s left</source>
        <translation>noch %1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s left</source>
        <translation>noch %1 min %2 s</translation>
    </message>
    <message>
        <source>%1 h %2 min left</source>
        <translation>noch %1 h %2 min</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Wartet</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Wird heruntergeladen</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
</context>
<context>
    <name>ZelkShell::DownloadsView</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>No downloads. Enter the address of a video to save it in the default video folder.</source>
        <translation>Keine Downloads. Geben Sie die Adresse eines Videos ein, um es im Standard-Videoordner zu speichern.</translation>
    </message>
    <message>
        <source>https://…</source>
        <translation>https://…</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse:</translation>
    </message>
    <message>
        <source>Download Manager</source>
        <translation>Download-Manager</translation>
    </message>
</context>
<context>
    <name>ZelkShell::ImportDialog</name>
    <message>
        <source>Import Folder</source>
        <translation>Ordner importieren</translation>
    </message>
    <message>
        <source>Adding the videos in &quot;%1&quot; to the library…</source>
        <translation>Die Videos in „%1“ werden zur Videobibliothek hinzugefügt…</translation>
    </message>
    <message>
        <source>Files looked at:</source>
        <translation>Durchsuchte Dateien:</translation>
    </message>
    <message>
        <source>Videos added:</source>
        <translation>Hinzugefügte Videos:</translation>
    </message>
    <message>
        <source>Folders skipped (could not be read):</source>
        <translation>Übersprungene Ordner (nicht lesbar):</translation>
    </message>
    <message>
        <source>Names refused (not valid in the system&apos;s encoding):</source>
        <translation>Abgelehnte Namen (in der Systemkodierung ungültig):</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Wird abgebrochen…</translation>
    </message>
    <message>
        <source>Import cancelled. The videos added so far stay in the library.</source>
        <translation>Import abgebrochen. Die bereits hinzugefügten Videos bleiben in der Videobibliothek.</translation>
    </message>
    <message>
        <source>Import finished.</source>
        <translation>Import abgeschlossen.</translation>
    </message>
    <message>
        <source>Some videos could not be written to the library.</source>
        <translation>Einige Videos konnten nicht in die Videobibliothek geschrieben werden.</translation>
    </message>
    <message>
        <source>Folder &quot;%1&quot; imported (videos added: %2).</source>
        <translation>Ordner „%1“ importiert (hinzugefügte Videos: %2).</translation>
    </message>
</context>
<context>
    <name>ZelkShell::LateSubtitles</name>
    <message>
        <source>it is %1 MB; above %2 MB the picture would stand still while it is read</source>
        <translation>sie ist %1 MB groß; über %2 MB würde das Bild stillstehen, während sie gelesen wird</translation>
    </message>
</context>
<context>
    <name>ZelkShell::LibraryView</name>
    <message>
        <source>Recently watched</source>
        <translation>Zuletzt angesehen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Video Library</source>
        <translation>Videobibliothek</translation>
    </message>
    <message>
        <source>The video library cannot be opened.</source>
        <translation>Die Videobibliothek kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Remove Video</source>
        <translation>Video entfernen</translation>
    </message>
    <message>
        <source>Remove &quot;%1&quot; from the library and delete the file from the disk?</source>
        <translation>„%1“ aus der Videobibliothek entfernen und die Datei von der Festplatte löschen?</translation>
    </message>
    <message>
        <source>the file could not be deleted</source>
        <translation>die Datei konnte nicht gelöscht werden</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not removed: %2</source>
        <translation>„%1“ wurde nicht entfernt: %2</translation>
    </message>
    <message>
        <source>Another program is using the video library; it is shown again when it is free.</source>
        <translation>Ein anderes Programm verwendet die Videobibliothek; sie wird wieder angezeigt, sobald sie frei ist.</translation>
    </message>
    <message>
        <source>Import Folder…</source>
        <translation>Ordner importieren…</translation>
    </message>
    <message>
        <source>The video library cannot be read: %1</source>
        <translation>Die Videobibliothek kann nicht gelesen werden: %1</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlaybackBehaviour</name>
    <message>
        <source>Show &amp;Tooltips</source>
        <translation>&amp;Tooltips anzeigen</translation>
    </message>
    <message>
        <source>&amp;Auto-hide Controls</source>
        <translation>Steuerelemente automatisch &amp;ausblenden</translation>
    </message>
    <message>
        <source>The setting could not be stored; it applies until the player quits.</source>
        <translation>Die Einstellung konnte nicht gespeichert werden; sie gilt bis zum Beenden des Players.</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlaybackControls</name>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlaybackEngine</name>
    <message>
        <source>The playback engine could not be created.</source>
        <translation>Die Wiedergabe-Engine konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>The playback engine is not running.</source>
        <translation>Die Wiedergabe-Engine läuft nicht.</translation>
    </message>
    <message>
        <source>The software renderer is in use.</source>
        <translation>Der Software-Renderer wird verwendet.</translation>
    </message>
    <message>
        <source>The playback engine stopped.</source>
        <translation>Die Wiedergabe-Engine wurde beendet.</translation>
    </message>
    <message>
        <source>a local playlist may not open network addresses</source>
        <translation>eine lokale Wiedergabeliste darf keine Netzwerkadressen öffnen</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlayerViews</name>
    <message>
        <source>The video library file was damaged. It was kept as &quot;%1&quot; and a new, empty library was started.</source>
        <translation>Die Datei der Videobibliothek war beschädigt. Sie wurde als „%1“ aufbewahrt, und eine neue, leere Videobibliothek wurde angelegt.</translation>
    </message>
    <message>
        <source>The video library could not be written: %1</source>
        <translation>Die Videobibliothek konnte nicht geschrieben werden: %1</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlayerWindow</name>
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
        <source>Al&amp;ways on Top</source>
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
        <source>&quot;Always on Top&quot; could not be stored; it applies until the player quits.</source>
        <translation>„Immer im Vordergrund“ konnte nicht gespeichert werden; die Einstellung gilt bis zum Beenden des Players.</translation>
    </message>
    <message>
        <source>Videos cannot be played: %1</source>
        <translation>Videos können nicht abgespielt werden: %1</translation>
    </message>
    <message>
        <source>The playback engine did not start: %1</source>
        <translation>Die Wiedergabe-Engine ist nicht gestartet: %1</translation>
    </message>
    <message>
        <source>Drop a video here, or open one from the File menu.</source>
        <translation>Ziehen Sie ein Video hierher oder öffnen Sie eines über das Menü „Datei“.</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>Ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>&amp;Vollbild</translation>
    </message>
    <message>
        <source>&amp;Playback</source>
        <translation>&amp;Wiedergabe</translation>
    </message>
    <message>
        <source>Video &amp;Library</source>
        <translation>Video&amp;bibliothek</translation>
    </message>
    <message>
        <source>&amp;Download Manager</source>
        <translation>&amp;Download-Manager</translation>
    </message>
    <message>
        <source>the playback engine is not running</source>
        <translation>die Wiedergabe-Engine läuft nicht</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be played: %2</source>
        <translation>„%1“ kann nicht abgespielt werden: %2</translation>
    </message>
    <message>
        <source>Open Video</source>
        <translation>Video öffnen</translation>
    </message>
    <message>
        <source>it is a folder; open the videos inside it instead</source>
        <translation>das ist ein Ordner; öffnen Sie stattdessen die Videos darin</translation>
    </message>
    <message>
        <source>its name is not valid text and may be taken for another file&apos;s; rename it</source>
        <translation>sein Name ist kein gültiger Text und könnte für den einer anderen Datei gehalten werden; benennen Sie die Datei um</translation>
    </message>
    <message>
        <source>&amp;Library</source>
        <translation>Video&amp;bibliothek</translation>
    </message>
    <message>
        <source>&amp;Import Folder…</source>
        <translation>Ordner &amp;importieren…</translation>
    </message>
    <message>
        <source>Choose a Folder to Import</source>
        <translation>Zu importierenden Ordner wählen</translation>
    </message>
    <message>
        <source>&amp;Read Large Subtitle File</source>
        <translation>Große Untertitel&amp;datei lesen</translation>
    </message>
    <message>
        <source>The subtitle file &quot;%1&quot; was not read: %2. File &gt; Read Large Subtitle File reads it anyway.</source>
        <translation>Die Untertiteldatei „%1“ wurde nicht gelesen: %2. Datei &gt; Große Untertiteldatei lesen liest sie trotzdem.</translation>
    </message>
</context>
<context>
    <name>ZelkShell::ResumeOffer</name>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Start from the beginning</source>
        <translation>Von vorn beginnen</translation>
    </message>
    <message>
        <source>You stopped watching this video at %1.</source>
        <translation>Sie haben dieses Video zuletzt bis %1 angesehen.</translation>
    </message>
</context>
</TS>
