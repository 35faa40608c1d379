<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Video Library</source>
        <translation>Videobibliothek</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Allgemeine Einstellungen&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the global settings for the Zelk Player application.</source>
        <translation>Verwalten Sie die allgemeinen Einstellungen der Anwendung Zelk Player.</translation>
    </message>
    <message>
        <source> Default Video Folder:</source>
        <translation> Standard-Videoordner:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>General Preferences:</source>
        <translation>Allgemeine Einstellungen:</translation>
    </message>
    <message>
        <source>Disable banner ads in player</source>
        <translation>Werbebanner im Player deaktivieren</translation>
    </message>
    <message>
        <source>Always display Zelk Player on top of other applications</source>
        <translation>Zelk Player immer vor anderen Anwendungen anzeigen</translation>
    </message>
    <message>
        <source>Disable tooltips</source>
        <translation>Tooltips deaktivieren</translation>
    </message>
    <message>
        <source>Auto-hide inactive buttons</source>
        <translation>Inaktive Schaltflächen automatisch ausblenden</translation>
    </message>
    <message>
        <source>Video File Opening:</source>
        <translation>Öffnen von Videodateien:</translation>
    </message>
    <message>
        <source>When showing the &quot;Open Video&quot; dialog, default to:</source>
        <translation>Ordner, den der Dialog „Video öffnen“ zuerst zeigt:</translation>
    </message>
    <message>
        <source>My default video folder</source>
        <translation>Mein Standard-Videoordner</translation>
    </message>
    <message>
        <source>The last opened folder</source>
        <translation>Der zuletzt geöffnete Ordner</translation>
    </message>
    <message>
        <source>Other:</source>
        <translation>Anderer:</translation>
    </message>
    <message>
        <source>Default View:</source>
        <translation>Standardansicht:</translation>
    </message>
    <message>
        <source>is the default view when Zelk Player opens</source>
        <translation>ist die Ansicht beim Start von Zelk Player</translation>
    </message>
    <message>
        <source>Video File Association:</source>
        <translation>Dateizuordnung für Videos:</translation>
    </message>
    <message>
        <source>Use Zelk Player as the default video player for the following file types:</source>
        <translation>Zelk Player als Standard-Videoplayer für die folgenden Dateitypen verwenden:</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Einstellungen der Videobibliothek&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the library settings for the Zelk Player application.</source>
        <translation>Verwalten Sie die Einstellungen der Videobibliothek der Anwendung Zelk Player.</translation>
    </message>
    <message>
        <source>Video Library Settings:</source>
        <translation>Einstellungen der Videobibliothek:</translation>
    </message>
    <message>
        <source>Auto-clear downloads from Download Manager when complete</source>
        <translation>Abgeschlossene Downloads automatisch aus dem Download-Manager entfernen</translation>
    </message>
    <message>
        <source>Automatically close import dialog when complete</source>
        <translation>Importdialog nach Abschluss automatisch schließen</translation>
    </message>
    <message>
        <source>Always resume downloads on Zelk Player startup</source>
        <translation>Downloads beim Start von Zelk Player immer fortsetzen</translation>
    </message>
    <message>
        <source>Add video files to library when played</source>
        <translation>Videodateien bei der Wiedergabe zur Videobibliothek hinzufügen</translation>
    </message>
    <message>
        <source>Automatically add video files to library that are in the default video folder</source>
        <translation>Videodateien im Standard-Videoordner automatisch zur Videobibliothek hinzufügen</translation>
    </message>
    <message>
        <source>Default to delete video files from the hard drive when deleting from the library</source>
        <translation>Beim Entfernen aus der Videobibliothek die Datei standardmäßig auch von der Festplatte löschen</translation>
    </message>
    <message>
        <source>Enable &quot;Recently Watched&quot; video tracking</source>
        <translation>Liste „Zuletzt angesehen“ für Videos führen</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Wiedergabeeinstellungen&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the playback settings for the Zelk Player application.</source>
        <translation>Verwalten Sie die Wiedergabeeinstellungen der Anwendung Zelk Player.</translation>
    </message>
    <message>
        <source> Playback Options: </source>
        <translation> Wiedergabeoptionen: </translation>
    </message>
    <message>
        <source>Resume playback from last position for all videos</source>
        <translation>Wiedergabe aller Videos an der letzten Position fortsetzen</translation>
    </message>
    <message>
        <source>Show &apos;resume playback&apos; message when video loads</source>
        <translation>Beim Laden eines Videos „Wiedergabe fortsetzen“ anbieten</translation>
    </message>
    <message>
        <source>Resize Player to Fit Video</source>
        <translation>Playergröße an das Video anpassen</translation>
    </message>
    <message>
        <source>Disable all screen savers while playing videos</source>
        <translation>Bildschirmschoner während der Videowiedergabe deaktivieren</translation>
    </message>
    <message>
        <source>Automatically play last video left open on player quit</source>
        <translation>Das beim Beenden des Players geöffnete Video automatisch wieder abspielen</translation>
    </message>
    <message>
        <source>Pause video when player loses focus</source>
        <translation>Video pausieren, wenn der Player den Fokus verliert</translation>
    </message>
    <message>
        <source>Blackout videos when paused</source>
        <translation>Bei Pause ein schwarzes Bild zeigen</translation>
    </message>
    <message>
        <source>Language Options:</source>
        <translation>Sprachoptionen:</translation>
    </message>
    <message>
        <source>Subtitle language:</source>
        <translation>Untertitelsprache:</translation>
    </message>
    <message>
        <source>Audio language:</source>
        <translation>Audiosprache:</translation>
    </message>
    <message>
        <source>Menu language:</source>
        <translation>Menüsprache:</translation>
    </message>
    <message>
        <source>Video Settings:</source>
        <translation>Videoeinstellungen:</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Einstellungen für externe Untertitel&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the external subtitle settings for Zelk Player application</source>
        <translation>Verwalten Sie die Einstellungen für externe Untertitel der Anwendung Zelk Player</translation>
    </message>
    <message>
        <source>External Subtitles:</source>
        <translation>Externe Untertitel:</translation>
    </message>
    <message>
        <source>Turn simultaneous dual subtitle display off</source>
        <translation>Gleichzeitige Anzeige zweier Untertitel ausschalten</translation>
    </message>
    <message>
        <source>Automatically use corresponding subtitle files</source>
        <translation>Passende Untertiteldateien automatisch verwenden</translation>
    </message>
    <message>
        <source>Always use my font</source>
        <translation>Immer meine Schriftart verwenden</translation>
    </message>
    <message>
        <source>Default Encoding:</source>
        <translation>Standardkodierung:</translation>
    </message>
    <message>
        <source>Subtitle Font</source>
        <translation>Untertitelschrift</translation>
    </message>
    <message>
        <source>Subtitle Sample</source>
        <translation>Untertitelbeispiel</translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>Outline Color</source>
        <translation>Konturfarbe</translation>
    </message>
    <message>
        <source>Delay (1/10s):</source>
        <translation>Verzögerung (1/10 s):</translation>
    </message>
    <message>
        <source>MicroDVD (SUB) Frame Rate:</source>
        <translation>Bildrate für MicroDVD (SUB):</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Erweiterte Einstellungen&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage advanced settings for the Zelk Player application.</source>
        <translation>Verwalten Sie die erweiterten Einstellungen der Anwendung Zelk Player.</translation>
    </message>
    <message>
        <source>Restore Player Defaults:</source>
        <translation>Standardwerte des Players wiederherstellen:</translation>
    </message>
    <message>
        <source>Global Reset</source>
        <translation>Alles zurücksetzen</translation>
    </message>
    <message>
        <source>Video Output</source>
        <translation>Videoausgabe</translation>
    </message>
    <message>
        <source>Preferred Video Output Method:</source>
        <translation>Bevorzugte Videoausgabemethode:</translation>
    </message>
    <message>
        <source>Deinterlacing Method:</source>
        <translation>Deinterlacing-Methode:</translation>
    </message>
    <message>
        <source>Disable Hardware Decoding</source>
        <translation>Hardware-Dekodierung deaktivieren</translation>
    </message>
    <message>
        <source> Playback Quality: </source>
        <translation> Wiedergabequalität: </translation>
    </message>
    <message>
        <source>Post-processing mode:</source>
        <translation>Nachbearbeitungsmodus:</translation>
    </message>
    <message>
        <source>Deblocking:</source>
        <translation>Deblocking:</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>ZelkNimbo::ZNBPreferencesPlugin</name>
    <message>
        <source>Restart Zelk Player</source>
        <translation>Zelk Player neu starten</translation>
    </message>
    <message>
        <source>You will need to restart Zelk Player in order for your changes to take effect. If you do not restart now you will not be able to watch any videos until you restart Zelk Player. Would you like to quit now?</source>
        <translation>Zelk Player muss neu gestartet werden, damit Ihre Änderungen wirksam werden. Wenn Sie ihn jetzt nicht neu starten, können Sie keine Videos ansehen, bis Sie Zelk Player neu starten. Möchten Sie das Programm jetzt beenden?</translation>
    </message>
    <message>
        <source>Global Reset</source>
        <translation>Alles zurücksetzen</translation>
    </message>
    <message>
        <source>All current preference settings will be reset to default values. Are you really sure?</source>
        <translation>Alle aktuellen Einstellungen werden auf die Standardwerte zurückgesetzt. Sind Sie sicher?</translation>
    </message>
    <message>
        <source>Video Folder</source>
        <translation>Videoordner</translation>
    </message>
    <message>
        <source>Open File Default Folder</source>
        <translation>Standardordner zum Öffnen von Dateien</translation>
    </message>
    <message>
        <source>Subtitle Font</source>
        <translation>Untertitelschrift</translation>
    </message>
    <message>
        <source>%1 %2pt</source>
        <extracomment>&lt;font name&gt; &lt;font size&gt;</extracomment>
        <translation>%1 %2 pt</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Automatic Deblocking</source>
        <translation>Automatisches Deblocking</translation>
    </message>
    <message>
        <source>Custom Deblocking</source>
        <translation>Benutzerdefiniertes Deblocking</translation>
    </message>
    <message>
        <source>Full Deblocking With Sharpening</source>
        <translation>Vollständiges Deblocking mit Schärfung</translation>
    </message>
    <message>
        <source>None (fastest)</source>
        <translation>Keine (am schnellsten)</translation>
    </message>
    <message>
        <source>Bob (slowest)</source>
        <translation>Bob (am langsamsten)</translation>
    </message>
    <message>
        <source>Top Field Only (medium)</source>
        <translation>Nur oberes Halbbild (mittel)</translation>
    </message>
    <message>
        <source>Bottom Field Only (medium)</source>
        <translation>Nur unteres Halbbild (mittel)</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Video Library</source>
        <translation>Videobibliothek</translation>
    </message>
    <message>
        <source>Download Manager</source>
        <translation>Download-Manager</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>System Encoding (Default)</source>
        <translation>Systemkodierung (Standard)</translation>
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
        <translation>Änderungen speichern?</translation>
    </message>
    <message>
        <source>The current settings have not been saved. Would you like to save them?</source>
        <translation>Die aktuellen Einstellungen wurden nicht gespeichert. Möchten Sie sie speichern?</translation>
    </message>
    <message>
        <source>Best Available</source>
        <translation>Beste verfügbare</translation>
    </message>
    <message>
        <source>Your preferences could not all be saved. The settings before the video output method are saved; the video output method, hardware decoding and the on-screen display font keep their previous values. Press Apply to try again.</source>
        <translation>Ihre Einstellungen konnten nicht alle gespeichert werden. Die Einstellungen vor der Videoausgabemethode sind gespeichert; Videoausgabemethode, Hardware-Dekodierung und die Schriftart der Bildschirmanzeige behalten ihre bisherigen Werte. Klicken Sie auf „Übernehmen“, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <source>Your preferences could not be saved. No setting was changed; your edits are still shown. Press Apply to try again.</source>
        <translation>Ihre Einstellungen konnten nicht gespeichert werden. Keine Einstellung wurde geändert; Ihre Änderungen werden weiterhin angezeigt. Klicken Sie auf „Übernehmen“, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <source>Preferences not saved</source>
        <translation>Einstellungen nicht gespeichert</translation>
    </message>
    <message>
        <source>Preference pages</source>
        <translation>Einstellungsseiten</translation>
    </message>
    <message>
        <source>Default video folder path</source>
        <translation>Pfad des Standard-Videoordners</translation>
    </message>
    <message>
        <source>Browse for the default video folder</source>
        <translation>Standard-Videoordner durchsuchen</translation>
    </message>
    <message>
        <source>Other folder to open videos from</source>
        <translation>Anderer Ordner zum Öffnen von Videos</translation>
    </message>
    <message>
        <source>Browse for the other folder</source>
        <translation>Anderen Ordner durchsuchen</translation>
    </message>
    <message>
        <source>Default view when Zelk Player opens</source>
        <translation>Ansicht beim Start von Zelk Player</translation>
    </message>
    <message>
        <source>Reset brightness</source>
        <translation>Helligkeit zurücksetzen</translation>
    </message>
    <message>
        <source>Reset contrast</source>
        <translation>Kontrast zurücksetzen</translation>
    </message>
    <message>
        <source>Reset saturation</source>
        <translation>Sättigung zurücksetzen</translation>
    </message>
    <message>
        <source>Preview of the subtitle font and colours</source>
        <translation>Vorschau von Schrift und Farben der Untertitel</translation>
    </message>
</context>
</TS>
