<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>ZelkShell::PlayerWindow</name>
    <message>
        <source>No video</source>
        <translation>Aucune vidéo</translation>
    </message>
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
        <source>Always on &amp;Top</source>
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
        <source>No video playback in this build.
Asked to open:
%1</source>
        <translation>Cette version ne lit pas les vidéos.
Fichiers à ouvrir&#xa0;:
%1</translation>
    </message>
    <message>
        <source>&quot;Always on Top&quot; could not be stored; it applies until the player quits.</source>
        <translation>«&#xa0;Toujours au premier plan&#xa0;» n&apos;a pas pu être enregistré&#xa0;; le réglage vaut jusqu&apos;à la fermeture du lecteur.</translation>
    </message>
</context>
</TS>
