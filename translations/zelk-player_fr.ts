<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>ZelkShell::DownloadManager</name>
    <message>
        <source>Another Zelk Player is managing the downloads; add the address there.</source>
        <translation>Un autre Zelk Player gère les téléchargements&#xa0;; ajoutez-y l&apos;adresse.</translation>
    </message>
</context>
<context>
    <name>ZelkShell::DownloadMessages</name>
    <message>
        <source>the server has no file at this address (%1)</source>
        <translation>le serveur n&apos;a pas de fichier à cette adresse (%1)</translation>
    </message>
    <message>
        <source>the server refused access to the file (%1)</source>
        <translation>le serveur a refusé l&apos;accès au fichier (%1)</translation>
    </message>
    <message>
        <source>the server failed to send the file (%1)</source>
        <translation>le serveur n&apos;a pas pu envoyer le fichier (%1)</translation>
    </message>
    <message>
        <source>the server answered %1 instead of the file</source>
        <translation>le serveur a répondu %1 au lieu du fichier</translation>
    </message>
    <message>
        <source>the server %1 refused the connection</source>
        <translation>le serveur %1 a refusé la connexion</translation>
    </message>
    <message>
        <source>the server %1 was not found</source>
        <translation>le serveur %1 est introuvable</translation>
    </message>
    <message>
        <source>the server %1 stopped answering</source>
        <translation>le serveur %1 ne répond plus</translation>
    </message>
    <message>
        <source>the server %1 closed the connection</source>
        <translation>le serveur %1 a fermé la connexion</translation>
    </message>
    <message>
        <source>the secure connection to %1 failed: %2</source>
        <translation>la connexion sécurisée à %1 a échoué&#xa0;: %2</translation>
    </message>
    <message>
        <source>the server redirected the download from https to an address that is not secure; it was not followed</source>
        <translation>le serveur a redirigé le téléchargement de https vers une adresse non sécurisée&#xa0;; la redirection n&apos;a pas été suivie</translation>
    </message>
    <message>
        <source>the server redirected the download too many times</source>
        <translation>le serveur a redirigé le téléchargement trop de fois</translation>
    </message>
    <message>
        <source>the server redirected the download to an address that is not http or https</source>
        <translation>le serveur a redirigé le téléchargement vers une adresse qui n&apos;est ni http ni https</translation>
    </message>
    <message>
        <source>the download from %1 failed: %2</source>
        <translation>le téléchargement depuis %1 a échoué&#xa0;: %2</translation>
    </message>
    <message>
        <source>the disk is full (%1)</source>
        <translation>le disque est plein (%1)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be written to</source>
        <translation>impossible d&apos;écrire dans le dossier %1</translation>
    </message>
    <message>
        <source>the file could not be written in %1: %2</source>
        <translation>le fichier n&apos;a pas pu être écrit dans %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>the connection dropped after %1</source>
        <translation>la connexion a été coupée après %1</translation>
    </message>
    <message>
        <source>the connection dropped after %1 of %2</source>
        <translation>la connexion a été coupée après %1 sur %2</translation>
    </message>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>le dossier %1 n&apos;existe pas</translation>
    </message>
    <message>
        <source>no default video folder is set in the preferences</source>
        <translation>aucun dossier vidéo par défaut n&apos;est défini dans les préférences</translation>
    </message>
    <message>
        <source>Only http and https addresses can be downloaded, not &quot;%1&quot;.</source>
        <translation>Seules les adresses http et https peuvent être téléchargées, pas «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
    <message>
        <source>%1 kB</source>
        <translation>%1 ko</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 Mo</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 Go</translation>
    </message>
    <message>
        <source>the folder %1 is a link to another folder; downloads are saved only into the folder itself</source>
        <translation>le dossier %1 est un lien vers un autre dossier ; les téléchargements ne sont enregistrés que dans le dossier lui-même</translation>
    </message>
    <message>
        <source>the server closed the connection before sending any of the file</source>
        <translation>le serveur a fermé la connexion avant d&apos;envoyer la moindre partie du fichier</translation>
    </message>
    <message>
        <source>the server refused to send the file (416 Range Not Satisfiable)</source>
        <translation>le serveur a refusé d&apos;envoyer le fichier (416 Range Not Satisfiable)</translation>
    </message>
    <message>
        <source>the server kept sending another part of the file than the one asked for (%1 tries)</source>
        <translation>le serveur a envoyé chaque fois une autre partie du fichier que celle demandée (%1 essais)</translation>
    </message>
    <message>
        <source>the server sent only part of the file when the whole file was asked for</source>
        <translation>le serveur n&apos;a envoyé qu&apos;une partie du fichier alors que le fichier entier était demandé</translation>
    </message>
    <message>
        <source>the server was still busy (%1) after %2 tries; try again later</source>
        <translation>le serveur était toujours occupé (%1) après %2 essais ; réessayez plus tard</translation>
    </message>
    <message>
        <source>the server needs signing in again: user names and passwords are not kept, so add the address again with them</source>
        <translation>le serveur demande de se connecter à nouveau : les noms d&apos;utilisateur et mots de passe ne sont pas conservés, ajoutez donc à nouveau l&apos;adresse avec eux</translation>
    </message>
    <message>
        <source>downloads are not saved in the player&apos;s own data folder (%1); choose another default video folder</source>
        <translation>les téléchargements ne sont pas enregistrés dans le dossier de données du lecteur (%1) ; choisissez un autre dossier vidéo par défaut</translation>
    </message>
    <message>
        <source>the folder %1 was moved or replaced by a link during the download; the file was not saved</source>
        <translation>le dossier %1 a été déplacé ou remplacé par un lien pendant le téléchargement ; le fichier n&apos;a pas été enregistré</translation>
    </message>
    <message>
        <source>every name for the file is taken in %1</source>
        <translation>tous les noms possibles pour le fichier sont déjà pris dans %1</translation>
    </message>
    <message>
        <source>saved as &quot;%1&quot;, not &quot;%2&quot;: a database would take that name for its journal</source>
        <translation>enregistré sous « %1 » et non « %2 » : une base de données prendrait ce nom pour son journal</translation>
    </message>
</context>
<context>
    <name>ZelkShell::DownloadRow</name>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>%1/s</source>
        <translation>%1/s</translation>
    </message>
    <message>
        <source>%1 s left</source>
        <translation>%1 s restantes</translation>
    </message>
    <message>
        <source>%1 min %2 s left</source>
        <translation>%1 min %2 s restantes</translation>
    </message>
    <message>
        <source>%1 h %2 min left</source>
        <translation>%1 h %2 min restantes</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>En attente</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Téléchargement en cours</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>En pause</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Échec&#xa0;: %1</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
</context>
<context>
    <name>ZelkShell::DownloadsView</name>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>No downloads. Enter the address of a video to save it in the default video folder.</source>
        <translation>Aucun téléchargement. Saisissez l&apos;adresse d&apos;une vidéo pour l&apos;enregistrer dans le dossier vidéo par défaut.</translation>
    </message>
    <message>
        <source>https://…</source>
        <translation>https://…</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse&#xa0;:</translation>
    </message>
    <message>
        <source>Download Manager</source>
        <translation>Gestionnaire de téléchargements</translation>
    </message>
</context>
<context>
    <name>ZelkShell::ImportDialog</name>
    <message>
        <source>Import Folder</source>
        <translation>Importer un dossier</translation>
    </message>
    <message>
        <source>Adding the videos in &quot;%1&quot; to the library…</source>
        <translation>Ajout des vidéos de «&#xa0;%1&#xa0;» à la vidéothèque…</translation>
    </message>
    <message>
        <source>Files looked at:</source>
        <translation>Fichiers examinés&#xa0;:</translation>
    </message>
    <message>
        <source>Videos added:</source>
        <translation>Vidéos ajoutées&#xa0;:</translation>
    </message>
    <message>
        <source>Folders skipped (could not be read):</source>
        <translation>Dossiers ignorés (illisibles)&#xa0;:</translation>
    </message>
    <message>
        <source>Names refused (not valid in the system&apos;s encoding):</source>
        <translation>Noms refusés (non valides dans l&apos;encodage du système)&#xa0;:</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Annulation…</translation>
    </message>
    <message>
        <source>Import cancelled. The videos added so far stay in the library.</source>
        <translation>Importation annulée. Les vidéos déjà ajoutées restent dans la vidéothèque.</translation>
    </message>
    <message>
        <source>Import finished.</source>
        <translation>Importation terminée.</translation>
    </message>
    <message>
        <source>Some videos could not be written to the library.</source>
        <translation>Certaines vidéos n&apos;ont pas pu être enregistrées dans la vidéothèque.</translation>
    </message>
    <message>
        <source>Folder &quot;%1&quot; imported (videos added: %2).</source>
        <translation>Dossier «&#xa0;%1&#xa0;» importé (vidéos ajoutées&#xa0;: %2).</translation>
    </message>
</context>
<context>
    <name>ZelkShell::LateSubtitles</name>
    <message>
        <source>it is %1 MB; above %2 MB the picture would stand still while it is read</source>
        <translation>il fait %1 Mo ; au-delà de %2 Mo, l&apos;image resterait figée pendant sa lecture</translation>
    </message>
</context>
<context>
    <name>ZelkShell::LibraryView</name>
    <message>
        <source>Recently watched</source>
        <translation>Vues récemment</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Video Library</source>
        <translation>Vidéothèque</translation>
    </message>
    <message>
        <source>The video library cannot be opened.</source>
        <translation>Impossible d&apos;ouvrir la vidéothèque.</translation>
    </message>
    <message>
        <source>Remove Video</source>
        <translation>Retirer la vidéo</translation>
    </message>
    <message>
        <source>Remove &quot;%1&quot; from the library and delete the file from the disk?</source>
        <translation>Retirer «&#xa0;%1&#xa0;» de la vidéothèque et supprimer le fichier du disque&#xa0;?</translation>
    </message>
    <message>
        <source>the file could not be deleted</source>
        <translation>le fichier n&apos;a pas pu être supprimé</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not removed: %2</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;a pas été retiré&#xa0;: %2</translation>
    </message>
    <message>
        <source>Another program is using the video library; it is shown again when it is free.</source>
        <translation>Un autre programme utilise la vidéothèque&#xa0;; elle s&apos;affichera de nouveau dès qu&apos;elle sera libre.</translation>
    </message>
    <message>
        <source>Import Folder…</source>
        <translation>Importer un dossier…</translation>
    </message>
    <message>
        <source>The video library cannot be read: %1</source>
        <translation>Impossible de lire la vidéothèque&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlaybackBehaviour</name>
    <message>
        <source>Show &amp;Tooltips</source>
        <translation>Afficher les &amp;info-bulles</translation>
    </message>
    <message>
        <source>&amp;Auto-hide Controls</source>
        <translation>&amp;Masquer automatiquement les commandes</translation>
    </message>
    <message>
        <source>The setting could not be stored; it applies until the player quits.</source>
        <translation>Le paramètre n&apos;a pas pu être enregistré&#xa0;; il s&apos;applique jusqu&apos;à la fermeture du lecteur.</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlaybackControls</name>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>Plein écran</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lire</translation>
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
        <translation>Le moteur de lecture n&apos;a pas pu être créé.</translation>
    </message>
    <message>
        <source>The playback engine is not running.</source>
        <translation>Le moteur de lecture n&apos;est pas en marche.</translation>
    </message>
    <message>
        <source>The software renderer is in use.</source>
        <translation>Le rendu logiciel est utilisé.</translation>
    </message>
    <message>
        <source>The playback engine stopped.</source>
        <translation>Le moteur de lecture s&apos;est arrêté.</translation>
    </message>
    <message>
        <source>a local playlist may not open network addresses</source>
        <translation>une liste de lecture locale ne peut pas ouvrir d&apos;adresses réseau</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlayerViews</name>
    <message>
        <source>The video library file was damaged. It was kept as &quot;%1&quot; and a new, empty library was started.</source>
        <translation>Le fichier de la vidéothèque était endommagé. Il a été conservé sous le nom «&#xa0;%1&#xa0;» et une nouvelle vidéothèque vide a été créée.</translation>
    </message>
    <message>
        <source>The video library could not be written: %1</source>
        <translation>Impossible d&apos;écrire dans la vidéothèque&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ZelkShell::PlayerWindow</name>
    <message>
        <source>Settings saved in the preferences will apply at the next start.</source>
        <translation>Les paramètres enregistrés dans les préférences s&apos;appliqueront au prochain démarrage.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Al&amp;ways on Top</source>
        <translation>&amp;Toujours au premier plan</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Préférences…</translation>
    </message>
    <message>
        <source>P&amp;layback Preferences…</source>
        <translation>Préférences de &amp;lecture…</translation>
    </message>
    <message>
        <source>The preferences cannot be opened: %1</source>
        <translation>Impossible d&apos;ouvrir les préférences&#xa0;: %1</translation>
    </message>
    <message>
        <source>&quot;Always on Top&quot; could not be stored; it applies until the player quits.</source>
        <translation>«&#xa0;Toujours au premier plan&#xa0;» n&apos;a pas pu être enregistré&#xa0;; le paramètre s&apos;applique jusqu&apos;à la fermeture du lecteur.</translation>
    </message>
    <message>
        <source>Videos cannot be played: %1</source>
        <translation>Impossible de lire les vidéos&#xa0;: %1</translation>
    </message>
    <message>
        <source>The playback engine did not start: %1</source>
        <translation>Le moteur de lecture n&apos;a pas démarré&#xa0;: %1</translation>
    </message>
    <message>
        <source>Drop a video here, or open one from the File menu.</source>
        <translation>Déposez une vidéo ici ou ouvrez-en une depuis le menu Fichier.</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>&amp;Ouvrir…</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>&amp;Plein écran</translation>
    </message>
    <message>
        <source>&amp;Playback</source>
        <translation>&amp;Lecture</translation>
    </message>
    <message>
        <source>Video &amp;Library</source>
        <translation>&amp;Vidéothèque</translation>
    </message>
    <message>
        <source>&amp;Download Manager</source>
        <translation>&amp;Gestionnaire de téléchargements</translation>
    </message>
    <message>
        <source>the playback engine is not running</source>
        <translation>le moteur de lecture n&apos;est pas en marche</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be played: %2</source>
        <translation>Impossible de lire «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>Open Video</source>
        <translation>Ouvrir une vidéo</translation>
    </message>
    <message>
        <source>it is a folder; open the videos inside it instead</source>
        <translation>c&apos;est un dossier&#xa0;; ouvrez plutôt les vidéos qu&apos;il contient</translation>
    </message>
    <message>
        <source>its name is not valid text and may be taken for another file&apos;s; rename it</source>
        <translation>son nom n&apos;est pas un texte valide et pourrait être pris pour celui d&apos;un autre fichier&#xa0;; renommez-le</translation>
    </message>
    <message>
        <source>&amp;Library</source>
        <translation>&amp;Vidéothèque</translation>
    </message>
    <message>
        <source>&amp;Import Folder…</source>
        <translation>&amp;Importer un dossier…</translation>
    </message>
    <message>
        <source>Choose a Folder to Import</source>
        <translation>Choisir un dossier à importer</translation>
    </message>
    <message>
        <source>&amp;Read Large Subtitle File</source>
        <translation>&amp;Lire le grand fichier de sous-titres</translation>
    </message>
    <message>
        <source>The subtitle file &quot;%1&quot; was not read: %2. File &gt; Read Large Subtitle File reads it anyway.</source>
        <translation>Le fichier de sous-titres « %1 » n&apos;a pas été lu : %2. Fichier &gt; Lire le grand fichier de sous-titres le lit quand même.</translation>
    </message>
</context>
<context>
    <name>ZelkShell::ResumeOffer</name>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Start from the beginning</source>
        <translation>Recommencer au début</translation>
    </message>
    <message>
        <source>You stopped watching this video at %1.</source>
        <translation>Vous avez arrêté de regarder cette vidéo à %1.</translation>
    </message>
</context>
</TS>
