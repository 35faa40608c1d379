<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Video Library</source>
        <translation>Vidéothèque</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Sous-titres</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Préférences générales&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the global settings for the Zelk Player application.</source>
        <translation>Gérez les paramètres généraux de l&apos;application Zelk Player.</translation>
    </message>
    <message>
        <source> Default Video Folder:</source>
        <translation> Dossier vidéo par défaut&#xa0;:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>General Preferences:</source>
        <translation>Préférences générales&#xa0;:</translation>
    </message>
    <message>
        <source>Disable banner ads in player</source>
        <translation>Désactiver les bannières publicitaires du lecteur</translation>
    </message>
    <message>
        <source>Always display Zelk Player on top of other applications</source>
        <translation>Toujours afficher Zelk Player au-dessus des autres applications</translation>
    </message>
    <message>
        <source>Disable tooltips</source>
        <translation>Désactiver les info-bulles</translation>
    </message>
    <message>
        <source>Auto-hide inactive buttons</source>
        <translation>Masquer automatiquement les boutons inactifs</translation>
    </message>
    <message>
        <source>Video File Opening:</source>
        <translation>Ouverture des fichiers vidéo&#xa0;:</translation>
    </message>
    <message>
        <source>When showing the &quot;Open Video&quot; dialog, default to:</source>
        <translation>Dossier affiché d&apos;abord par la boîte de dialogue «&#xa0;Ouvrir une vidéo&#xa0;»&#xa0;:</translation>
    </message>
    <message>
        <source>My default video folder</source>
        <translation>Mon dossier vidéo par défaut</translation>
    </message>
    <message>
        <source>The last opened folder</source>
        <translation>Le dernier dossier ouvert</translation>
    </message>
    <message>
        <source>Other:</source>
        <translation>Autre&#xa0;:</translation>
    </message>
    <message>
        <source>Default View:</source>
        <translation>Vue par défaut&#xa0;:</translation>
    </message>
    <message>
        <source>is the default view when Zelk Player opens</source>
        <translation>est la vue affichée au démarrage de Zelk Player</translation>
    </message>
    <message>
        <source>Video File Association:</source>
        <translation>Association des fichiers vidéo&#xa0;:</translation>
    </message>
    <message>
        <source>Use Zelk Player as the default video player for the following file types:</source>
        <translation>Utiliser Zelk Player comme lecteur vidéo par défaut pour les types de fichiers suivants&#xa0;:</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Préférences de la vidéothèque&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the library settings for the Zelk Player application.</source>
        <translation>Gérez les paramètres de la vidéothèque de l&apos;application Zelk Player.</translation>
    </message>
    <message>
        <source>Video Library Settings:</source>
        <translation>Paramètres de la vidéothèque&#xa0;:</translation>
    </message>
    <message>
        <source>Auto-clear downloads from Download Manager when complete</source>
        <translation>Retirer automatiquement les téléchargements terminés du gestionnaire de téléchargements</translation>
    </message>
    <message>
        <source>Automatically close import dialog when complete</source>
        <translation>Fermer automatiquement la boîte de dialogue d&apos;importation à la fin de l&apos;importation</translation>
    </message>
    <message>
        <source>Always resume downloads on Zelk Player startup</source>
        <translation>Toujours reprendre les téléchargements au démarrage de Zelk Player</translation>
    </message>
    <message>
        <source>Add video files to library when played</source>
        <translation>Ajouter les fichiers vidéo à la vidéothèque lors de leur lecture</translation>
    </message>
    <message>
        <source>Automatically add video files to library that are in the default video folder</source>
        <translation>Ajouter automatiquement à la vidéothèque les fichiers du dossier vidéo par défaut</translation>
    </message>
    <message>
        <source>Default to delete video files from the hard drive when deleting from the library</source>
        <translation>Par défaut, supprimer aussi du disque dur les fichiers vidéo retirés de la vidéothèque</translation>
    </message>
    <message>
        <source>Enable &quot;Recently Watched&quot; video tracking</source>
        <translation>Activer le suivi des vidéos «&#xa0;Vues récemment&#xa0;»</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Préférences de lecture&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the playback settings for the Zelk Player application.</source>
        <translation>Gérez les paramètres de lecture de l&apos;application Zelk Player.</translation>
    </message>
    <message>
        <source> Playback Options: </source>
        <translation> Options de lecture&#xa0;: </translation>
    </message>
    <message>
        <source>Resume playback from last position for all videos</source>
        <translation>Reprendre la lecture de toutes les vidéos là où elle s&apos;était arrêtée</translation>
    </message>
    <message>
        <source>Show &apos;resume playback&apos; message when video loads</source>
        <translation>Proposer de «&#xa0;reprendre la lecture&#xa0;» au chargement d&apos;une vidéo</translation>
    </message>
    <message>
        <source>Resize Player to Fit Video</source>
        <translation>Adapter la taille du lecteur à la vidéo</translation>
    </message>
    <message>
        <source>Disable all screen savers while playing videos</source>
        <translation>Désactiver les économiseurs d&apos;écran pendant la lecture de vidéos</translation>
    </message>
    <message>
        <source>Automatically play last video left open on player quit</source>
        <translation>Relancer automatiquement la vidéo encore ouverte à la fermeture du lecteur</translation>
    </message>
    <message>
        <source>Pause video when player loses focus</source>
        <translation>Mettre la vidéo en pause quand le lecteur perd le focus</translation>
    </message>
    <message>
        <source>Blackout videos when paused</source>
        <translation>Afficher un écran noir pendant la pause</translation>
    </message>
    <message>
        <source>Language Options:</source>
        <translation>Options de langue&#xa0;:</translation>
    </message>
    <message>
        <source>Subtitle language:</source>
        <translation>Langue des sous-titres&#xa0;:</translation>
    </message>
    <message>
        <source>Audio language:</source>
        <translation>Langue audio&#xa0;:</translation>
    </message>
    <message>
        <source>Menu language:</source>
        <translation>Langue des menus&#xa0;:</translation>
    </message>
    <message>
        <source>Video Settings:</source>
        <translation>Paramètres vidéo&#xa0;:</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Rétablir</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Préférences des sous-titres externes&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage the external subtitle settings for Zelk Player application</source>
        <translation>Gérez les paramètres des sous-titres externes de l&apos;application Zelk Player</translation>
    </message>
    <message>
        <source>External Subtitles:</source>
        <translation>Sous-titres externes&#xa0;:</translation>
    </message>
    <message>
        <source>Turn simultaneous dual subtitle display off</source>
        <translation>Désactiver l&apos;affichage simultané de deux sous-titres</translation>
    </message>
    <message>
        <source>Automatically use corresponding subtitle files</source>
        <translation>Utiliser automatiquement les fichiers de sous-titres correspondants</translation>
    </message>
    <message>
        <source>Always use my font</source>
        <translation>Toujours utiliser ma police</translation>
    </message>
    <message>
        <source>Default Encoding:</source>
        <translation>Encodage par défaut&#xa0;:</translation>
    </message>
    <message>
        <source>Subtitle Font</source>
        <translation>Police des sous-titres</translation>
    </message>
    <message>
        <source>Subtitle Sample</source>
        <translation>Exemple de sous-titre</translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation>Couleur du texte</translation>
    </message>
    <message>
        <source>Outline Color</source>
        <translation>Couleur du contour</translation>
    </message>
    <message>
        <source>Delay (1/10s):</source>
        <translation>Décalage (1/10 s)&#xa0;:</translation>
    </message>
    <message>
        <source>MicroDVD (SUB) Frame Rate:</source>
        <translation>Fréquence d&apos;images MicroDVD (SUB)&#xa0;:</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-family:&apos;Lucida Grande&apos;; font-size:13pt; font-weight:600;&quot;&gt;Préférences avancées&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Manage advanced settings for the Zelk Player application.</source>
        <translation>Gérez les paramètres avancés de l&apos;application Zelk Player.</translation>
    </message>
    <message>
        <source>Restore Player Defaults:</source>
        <translation>Rétablir les paramètres par défaut du lecteur&#xa0;:</translation>
    </message>
    <message>
        <source>Global Reset</source>
        <translation>Tout réinitialiser</translation>
    </message>
    <message>
        <source>Video Output</source>
        <translation>Sortie vidéo</translation>
    </message>
    <message>
        <source>Preferred Video Output Method:</source>
        <translation>Méthode de sortie vidéo préférée&#xa0;:</translation>
    </message>
    <message>
        <source>Deinterlacing Method:</source>
        <translation>Méthode de désentrelacement&#xa0;:</translation>
    </message>
    <message>
        <source>Disable Hardware Decoding</source>
        <translation>Désactiver le décodage matériel</translation>
    </message>
    <message>
        <source> Playback Quality: </source>
        <translation> Qualité de lecture&#xa0;: </translation>
    </message>
    <message>
        <source>Post-processing mode:</source>
        <translation>Mode de post-traitement&#xa0;:</translation>
    </message>
    <message>
        <source>Deblocking:</source>
        <translation>Déblocage&#xa0;:</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
</context>
<context>
    <name>ZelkNimbo::ZNBPreferencesPlugin</name>
    <message>
        <source>Restart Zelk Player</source>
        <translation>Redémarrer Zelk Player</translation>
    </message>
    <message>
        <source>You will need to restart Zelk Player in order for your changes to take effect. If you do not restart now you will not be able to watch any videos until you restart Zelk Player. Would you like to quit now?</source>
        <translation>Vous devez redémarrer Zelk Player pour que vos modifications prennent effet. Si vous ne le redémarrez pas maintenant, vous ne pourrez regarder aucune vidéo avant d&apos;avoir redémarré Zelk Player. Voulez-vous quitter maintenant&#xa0;?</translation>
    </message>
    <message>
        <source>Global Reset</source>
        <translation>Tout réinitialiser</translation>
    </message>
    <message>
        <source>All current preference settings will be reset to default values. Are you really sure?</source>
        <translation>Toutes les préférences actuelles vont reprendre leur valeur par défaut. Voulez-vous vraiment continuer&#xa0;?</translation>
    </message>
    <message>
        <source>Video Folder</source>
        <translation>Dossier vidéo</translation>
    </message>
    <message>
        <source>Open File Default Folder</source>
        <translation>Dossier par défaut pour ouvrir des fichiers</translation>
    </message>
    <message>
        <source>Subtitle Font</source>
        <translation>Police des sous-titres</translation>
    </message>
    <message>
        <source>%1 %2pt</source>
        <extracomment>&lt;font name&gt; &lt;font size&gt;</extracomment>
        <translation>%1 %2&#xa0;pt</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>Automatic Deblocking</source>
        <translation>Déblocage automatique</translation>
    </message>
    <message>
        <source>Custom Deblocking</source>
        <translation>Déblocage personnalisé</translation>
    </message>
    <message>
        <source>Full Deblocking With Sharpening</source>
        <translation>Déblocage complet avec accentuation</translation>
    </message>
    <message>
        <source>None (fastest)</source>
        <translation>Aucune (la plus rapide)</translation>
    </message>
    <message>
        <source>Bob (slowest)</source>
        <translation>Bob (la plus lente)</translation>
    </message>
    <message>
        <source>Top Field Only (medium)</source>
        <translation>Trame supérieure seule (intermédiaire)</translation>
    </message>
    <message>
        <source>Bottom Field Only (medium)</source>
        <translation>Trame inférieure seule (intermédiaire)</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Video Library</source>
        <translation>Vidéothèque</translation>
    </message>
    <message>
        <source>Download Manager</source>
        <translation>Gestionnaire de téléchargements</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>System Encoding (Default)</source>
        <translation>Encodage du système (par défaut)</translation>
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
        <translation>Enregistrer les modifications&#xa0;?</translation>
    </message>
    <message>
        <source>The current settings have not been saved. Would you like to save them?</source>
        <translation>Les paramètres actuels n&apos;ont pas été enregistrés. Voulez-vous les enregistrer&#xa0;?</translation>
    </message>
    <message>
        <source>Best Available</source>
        <translation>Meilleure disponible</translation>
    </message>
    <message>
        <source>Your preferences could not all be saved. The settings before the video output method are saved; the video output method, hardware decoding and the on-screen display font keep their previous values. Press Apply to try again.</source>
        <translation>Vos préférences n’ont pas toutes pu être enregistrées. Les réglages qui précèdent la méthode de sortie vidéo sont enregistrés&#xa0;; la méthode de sortie vidéo, le décodage matériel et la police de l’affichage à l’écran gardent leurs valeurs précédentes. Cliquez sur Appliquer pour réessayer.</translation>
    </message>
    <message>
        <source>Your preferences could not be saved. No setting was changed; your edits are still shown. Press Apply to try again.</source>
        <translation>Vos préférences n’ont pas pu être enregistrées. Aucun réglage n’a été modifié&#xa0;; vos modifications sont toujours affichées. Cliquez sur Appliquer pour réessayer.</translation>
    </message>
    <message>
        <source>Preferences not saved</source>
        <translation>Préférences non enregistrées</translation>
    </message>
    <message>
        <source>Preference pages</source>
        <translation>Pages des préférences</translation>
    </message>
    <message>
        <source>Default video folder path</source>
        <translation>Chemin du dossier vidéo par défaut</translation>
    </message>
    <message>
        <source>Browse for the default video folder</source>
        <translation>Parcourir pour choisir le dossier vidéo par défaut</translation>
    </message>
    <message>
        <source>Other folder to open videos from</source>
        <translation>Autre dossier d&apos;ouverture des vidéos</translation>
    </message>
    <message>
        <source>Browse for the other folder</source>
        <translation>Parcourir pour choisir l&apos;autre dossier</translation>
    </message>
    <message>
        <source>Default view when Zelk Player opens</source>
        <translation>Vue affichée au démarrage de Zelk Player</translation>
    </message>
    <message>
        <source>Reset brightness</source>
        <translation>Rétablir la luminosité</translation>
    </message>
    <message>
        <source>Reset contrast</source>
        <translation>Rétablir le contraste</translation>
    </message>
    <message>
        <source>Reset saturation</source>
        <translation>Rétablir la saturation</translation>
    </message>
    <message>
        <source>Preview of the subtitle font and colours</source>
        <translation>Aperçu de la police et des couleurs des sous-titres</translation>
    </message>
</context>
</TS>
