<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>English</source>
        <extracomment>The name of this translation&apos;s language as its speakers write it (&quot;Deutsch&quot;, &quot;Français&quot;), shown in Help &gt; About.</extracomment>
        <translatorcomment>Machine-made first translation, not yet reviewed by a native speaker: please check every text against the window (docs/ has screenshots) and delete this note when you have.</translatorcomment>
        <translation>Français</translation>
    </message>
    <message>
        <source>Copyright © 2026 The tamo-config developers.&lt;br&gt;&lt;br&gt;This program is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License as published by the Free Software Foundation, either version 3 of the License, or (at your option) any later version.&lt;br&gt;&lt;br&gt;This program is distributed in the hope that it will be useful, but &lt;b&gt;WITHOUT ANY WARRANTY&lt;/b&gt;; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License (Help &amp;gt; Licence) for more details.&lt;br&gt;&lt;br&gt;The Windows download also carries Qt, under the GNU Lesser General Public License version 3; its licence texts come with it.</source>
        <translation>Copyright © 2026 Les développeurs de tamo-config.&lt;br&gt;&lt;br&gt;Ce programme est un logiciel libre : vous pouvez le redistribuer et/ou le modifier selon les termes de la licence publique générale GNU (GNU General Public License) telle que publiée par la Free Software Foundation, soit la version 3 de la licence, soit (à votre choix) toute version ultérieure.&lt;br&gt;&lt;br&gt;Ce programme est distribué dans l&apos;espoir qu&apos;il sera utile, mais &lt;b&gt;SANS AUCUNE GARANTIE&lt;/b&gt; ; sans même la garantie implicite de QUALITÉ MARCHANDE ou d&apos;ADÉQUATION À UN USAGE PARTICULIER. Voir la GNU General Public License (Aide &amp;gt; Licence) pour plus de détails.&lt;br&gt;&lt;br&gt;Le téléchargement pour Windows contient aussi Qt, sous la GNU Lesser General Public License version 3 ; ses textes de licence l&apos;accompagnent.</translation>
    </message>
    <message>
        <source>About tamo-config</source>
        <translation>À propos de tamo-config</translation>
    </message>
    <message>
        <source>Configure and test Velbrin button-box controller boards.</source>
        <translation>Configurer et tester les cartes contrôleur Velbrin pour button box.</translation>
    </message>
    <message>
        <source>Language: %1</source>
        <extracomment>Which language the window is shown in: &quot;Language: Deutsch&quot;.</extracomment>
        <translation>Langue : %1</translation>
    </message>
    <message>
        <source>Licence notice</source>
        <translation>Avis de licence</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Détails</translation>
    </message>
    <message>
        <source>&amp;Copy details</source>
        <translation>&amp;Copier les détails</translation>
    </message>
    <message>
        <source>&amp;Licence...</source>
        <translation>&amp;Licence...</translation>
    </message>
    <message>
        <source>The licence text is missing from this build: see https://www.gnu.org/licenses/gpl-3.0.txt</source>
        <translation>Le texte de la licence manque dans cette version : voir https://www.gnu.org/licenses/gpl-3.0.txt</translation>
    </message>
    <message>
        <source>Licence: GNU General Public License, version 3</source>
        <translation>Licence : GNU General Public License, version 3</translation>
    </message>
    <message>
        <source>Licence text</source>
        <translation>Texte de la licence</translation>
    </message>
</context>
<context>
    <name>LampTexts</name>
    <message>
        <source>pressed</source>
        <extracomment>What a screen reader says of a button&apos;s lamp while the button is held.</extracomment>
        <translation>enfoncé</translation>
    </message>
    <message>
        <source>released</source>
        <translation>relâché</translation>
    </message>
</context>
<context>
    <name>SettingTexts</name>
    <message>
        <source>off</source>
        <extracomment>An encoder list&apos;s item: the pair of inputs works as two plain buttons.</extracomment>
        <translation>non</translation>
    </message>
    <message>
        <source>1:1</source>
        <extracomment>An encoder list&apos;s item: one button pulse per detent of the encoder (a ratio; keep it as it is unless your language writes ratios otherwise).</extracomment>
        <translation>1:1</translation>
    </message>
    <message>
        <source>1:2</source>
        <extracomment>An encoder list&apos;s item: one pulse every second detent (a ratio).</extracomment>
        <translation>1:2</translation>
    </message>
    <message>
        <source>1:4</source>
        <extracomment>An encoder list&apos;s item: one pulse every fourth detent (a ratio).</extracomment>
        <translation>1:4</translation>
    </message>
    <message>
        <source>Auto</source>
        <extracomment>A mode of the analogue &quot;A&quot; input: the board finds out what is wired to it.</extracomment>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Potentiometer</source>
        <translation>Potentiomètre</translation>
    </message>
    <message>
        <source>Rotary Switch, Pulsed</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose every position sends one pulse.</extracomment>
        <translation>Rotacteur, impulsion</translation>
    </message>
    <message>
        <source>Rotary Switch, Latched</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose position is held as a pressed button.</extracomment>
        <translation>Rotacteur, maintenu</translation>
    </message>
    <message>
        <source>Button 21</source>
        <extracomment>A mode of the &quot;A&quot; input: it acts as button number 21.</extracomment>
        <translation>Bouton 21</translation>
    </message>
</context>
<context>
    <name>tamo::app::AppWindow</name>
    <message>
        <source>Save settings</source>
        <translation>Enregistrer les réglages</translation>
    </message>
    <message>
        <source>Load settings</source>
        <translation>Charger les réglages</translation>
    </message>
    <message>
        <source>tamo settings (*.json)</source>
        <extracomment>File types in the file dialog; &quot;tamo&quot; is the command-line tool&apos;s name.</extracomment>
        <translation>Réglages tamo (*.json)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Board access</source>
        <translation>Accès à la carte</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>&amp;Save settings...</source>
        <translation>&amp;Enregistrer les réglages...</translation>
    </message>
    <message>
        <source>&amp;Load settings...</source>
        <translation>&amp;Charger les réglages...</translation>
    </message>
    <message>
        <source>&amp;Copy settings to other boards...</source>
        <translation>Co&amp;pier les réglages vers les autres cartes...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Board</source>
        <extracomment>A menu: what is done on the open board.</extracomment>
        <translation>&amp;Carte</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>&amp;Self-diagnostic</source>
        <translation>&amp;Autodiagnostic</translation>
    </message>
    <message>
        <source>&amp;Button test</source>
        <translation>&amp;Test des boutons</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>&amp;About tamo-config</source>
        <translation>&amp;À propos de tamo-config</translation>
    </message>
    <message>
        <source>&amp;Licence</source>
        <translation>&amp;Licence</translation>
    </message>
    <message>
        <source>Copy settings to other boards</source>
        <translation>Copier les réglages vers les autres cartes</translation>
    </message>
</context>
<context>
    <name>tamo::app::MainWindow</name>
    <message>
        <source>A board is attached at %1 but cannot be opened</source>
        <translation>Une carte est branchée sur %1 mais ne peut pas être ouverte</translation>
    </message>
    <message>
        <source>A board is attached at %1 (serial number %2) but cannot be opened</source>
        <translation>Une carte est branchée sur %1 (numéro de série %2) mais ne peut pas être ouverte</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <extracomment>The reason a board cannot be opened follows the sentence above; it comes from the system and stays as the system words it.</extracomment>
        <translation>%1 : %2.</translation>
    </message>
    <message>
        <source> Fix: %1</source>
        <translation> Solution : %1</translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n time, shortest gap %1</source>
        <translation>
            <numerusform>vu, rebond %n fois, écart le plus court %1</numerusform>
            <numerusform>vu, rebonds %n fois, écart le plus court %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n times, shortest gap %1</source>
        <translation>
            <numerusform>vu, rebond %n fois, écart le plus court %1</numerusform>
            <numerusform>vu, rebonds %n fois, écart le plus court %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n press</source>
        <translation>
            <numerusform>vu, %n appui</numerusform>
            <numerusform>vu, %n appuis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n presses</source>
        <translation>
            <numerusform>vu, %n appui</numerusform>
            <numerusform>vu, %n appuis</numerusform>
        </translation>
    </message>
    <message>
        <source>not seen yet</source>
        <translation>pas encore vu</translation>
    </message>
    <message>
        <source>End test</source>
        <extracomment>The button that started the button test, while it runs. At most 96 pixels wide.</extracomment>
        <translation>Fin du test</translation>
    </message>
    <message>
        <source>Button test</source>
        <extracomment>A button that starts the button test. At most 96 pixels wide, with its margins.</extracomment>
        <translation>Test boutons</translation>
    </message>
    <message>
        <source> (ended)</source>
        <translation> (terminé)</translation>
    </message>
    <message>
        <source>Board %1</source>
        <extracomment>The first line of a copied button test result: &quot;Board TB-000117, Tamo 32&quot;.</extracomment>
        <translation>Carte %1</translation>
    </message>
    <message>
        <source>Tamo - micro Velbrin</source>
        <extracomment>The window&apos;s title: the product word and the board family&apos;s name, kept as they are.</extracomment>
        <translation>Tamo - micro Velbrin</translation>
    </message>
    <message>
        <source>Reset to default settings</source>
        <translation>Réglages par défaut</translation>
    </message>
    <message>
        <source>Input value capabilities</source>
        <translation>Capacités des valeurs d&apos;entrée</translation>
    </message>
    <message>
        <source>HID capabilities</source>
        <translation>Capacités HID</translation>
    </message>
    <message>
        <source>Windows buttons</source>
        <extracomment>The caption of the frame of button lamps: the buttons as the system&apos;s game controller settings call them.</extracomment>
        <translation>Boutons Windows</translation>
    </message>
    <message>
        <source>Button lamps</source>
        <translation>Voyants des boutons</translation>
    </message>
    <message>
        <source>Input monitor messages</source>
        <translation>Messages du suivi des entrées</translation>
    </message>
    <message>
        <source>Self Diagnostic</source>
        <translation>Autodiagnostic</translation>
    </message>
    <message>
        <source>Run self-diagnostic</source>
        <translation>Lancer l&apos;autodiagnostic</translation>
    </message>
    <message>
        <source>A input mode</source>
        <translation>Mode de l&apos;entrée A</translation>
    </message>
    <message>
        <source>Self-diagnostic reply</source>
        <translation>Réponse de l&apos;autodiagnostic</translation>
    </message>
    <message>
        <source>Rotary encoders </source>
        <extracomment>A frame&apos;s caption; the blank after it is the design&apos;s.</extracomment>
        <translation>Encodeurs rotatifs </translation>
    </message>
    <message>
        <source>Rotary encoders</source>
        <translation>Encodeurs rotatifs</translation>
    </message>
    <message>
        <source>Device details </source>
        <extracomment>A frame&apos;s caption; the blank after it is the design&apos;s.</extracomment>
        <translation>Détails de l&apos;appareil </translation>
    </message>
    <message>
        <source>Device details</source>
        <translation>Détails de l&apos;appareil</translation>
    </message>
    <message>
        <source>Self-diagnostic result</source>
        <translation>Résultat de l&apos;autodiagnostic</translation>
    </message>
    <message>
        <source>&quot;A&quot; Input mode</source>
        <extracomment>The caption of the list of modes of the analogue input named &quot;A&quot; (a name, not a letter to translate). At most 1455 twips (97 pixels) wide.</extracomment>
        <translation>Entrée &quot;A&quot;</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Numéro de série</translation>
    </message>
    <message>
        <source>Version</source>
        <extracomment>A caption of the device details: the board&apos;s version. At most 97 pixels wide.</extracomment>
        <translation>Version</translation>
    </message>
    <message>
        <source>Product</source>
        <extracomment>A caption of the device details: the board&apos;s product name. At most 81 pixels wide.</extracomment>
        <translation>Produit</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <extracomment>A caption of the device details: who made the board. At most 81 pixels wide.</extracomment>
        <translation>Fabricant</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <extracomment>A caption of the device details, left of the list of boards: it must end before the list begins, 96 pixels from its start.</extracomment>
        <translation>N° de série</translation>
    </message>
    <message>
        <source>Encoder %1</source>
        <extracomment>A screen reader&apos;s name for the encoder list of a pair of inputs, &quot;Encoder B1 + B2&quot;.</extracomment>
        <translation>Encodeur %1</translation>
    </message>
    <message>
        <source>Pulse length</source>
        <extracomment>The caption of the list of encoder pulse lengths (8 ms to 200 ms). At most 1335 twips (89 pixels) wide.</extracomment>
        <translation>Impulsion</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Séparateur</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Bouton %1</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button that starts the button test again. At most 52 pixels wide, with its margins.</extracomment>
        <translation>RAZ</translation>
    </message>
    <message>
        <source>Reset button test</source>
        <translation>Recommencer le test des boutons</translation>
    </message>
    <message>
        <source>Copy result</source>
        <extracomment>A button that copies the button test&apos;s result. At most 81 pixels wide, with its margins.</extracomment>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Copy button test result</source>
        <translation>Copier le résultat du test des boutons</translation>
    </message>
    <message>
        <source>Press every input once: each press is counted and shown, however short, and inputs that bounce or are wired together are named.</source>
        <translation>Appuyez une fois sur chaque entrée : chaque appui est compté et affiché, si court soit-il, et les entrées qui rebondissent ou sont reliées entre elles sont signalées.</translation>
    </message>
    <message>
        <source>Button test result</source>
        <translation>Résultat du test des boutons</translation>
    </message>
    <message>
        <source>Sending failed part-way: the board holds some of the settings, not all.</source>
        <translation>L&apos;envoi a échoué en cours de route : la carte garde une partie des réglages, pas tous.</translation>
    </message>
    <message>
        <source>Sent: </source>
        <translation>Envoyé : </translation>
    </message>
    <message>
        <source>Failed: </source>
        <translation>Échec : </translation>
    </message>
    <message>
        <source>Not sent: </source>
        <translation>Non envoyé : </translation>
    </message>
    <message>
        <source>Everything was sent, but the board gave no usable configuration reply to check it.</source>
        <translation>Tout a été envoyé, mais la carte n&apos;a donné aucune réponse de configuration utilisable pour le vérifier.</translation>
    </message>
    <message>
        <source>The board does not hold what was sent:</source>
        <translation>La carte ne garde pas ce qui a été envoyé :</translation>
    </message>
    <message>
        <source>Encoders: %1
Pulse length: %2
&quot;A&quot; input: %3</source>
        <translation>Encodeurs : %1
Durée d&apos;impulsion : %2
Entrée &quot;A&quot; : %3</translation>
    </message>
    <message>
        <source>The board gave no usable configuration reply in %1 reads: %2.</source>
        <translation>La carte n&apos;a donné aucune réponse de configuration utilisable en %1 lectures : %2.</translation>
    </message>
    <message>
        <source>The board holds %1: choose one in its list first.</source>
        <translation>La carte contient %1 : choisissez d&apos;abord une valeur dans sa liste.</translation>
    </message>
    <message>
        <source>No board is open: nothing was saved.</source>
        <translation>Aucune carte ouverte : rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source> Nothing was written.</source>
        <translation> Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>The settings could not be saved: nothing was written.</source>
        <translation>Les réglages n&apos;ont pas pu être enregistrés : rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>Saved the settings of %1 to %2.</source>
        <translation>Réglages de %1 enregistrés dans %2.</translation>
    </message>
    <message>
        <source>No board is open: nothing was sent.</source>
        <translation>Aucune carte ouverte : rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>This is not a settings file the tool can load: nothing was sent.</source>
        <translation>Ce n&apos;est pas un fichier de réglages que l&apos;outil peut charger : rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>This file was saved from another board:
%1

Load its settings onto %2 anyway?</source>
        <translation>Ce fichier a été enregistré depuis une autre carte :
%1

Charger quand même ses réglages sur %2 ?</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>Rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>The board went away: nothing was sent.</source>
        <translation>La carte a disparu : rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>Loaded %1 onto %2: every setting was sent, read back and holds.</source>
        <translation>%1 chargé sur %2 : chaque réglage a été envoyé, relu et tient.</translation>
    </message>
    <message>
        <source>No board is open: nothing was copied.</source>
        <translation>Aucune carte ouverte : rien n&apos;a été copié.</translation>
    </message>
    <message>
        <source> Nothing was copied.</source>
        <translation> Rien n&apos;a été copié.</translation>
    </message>
    <message>
        <source>%1: could not be opened: %2</source>
        <translation>%1 : n&apos;a pas pu être ouverte : %2</translation>
    </message>
    <message>
        <source>copied: sent, read back and holds.</source>
        <translation>copié : envoyé, relu et tient.</translation>
    </message>
    <message>
        <source>%1: cannot be opened: %2</source>
        <translation>%1 : ne peut pas être ouverte : %2</translation>
    </message>
    <message>
        <source>No other board is attached: nothing was copied.</source>
        <translation>Aucune autre carte branchée : rien n&apos;a été copié.</translation>
    </message>
    <message>
        <source>Copied the settings of %1 to %2 of %3 other boards.</source>
        <translation>Réglages de %1 copiés sur %2 des %3 autres cartes.</translation>
    </message>
</context>
<context>
    <name>tamo::app::VirtualBoardPanel</name>
    <message>
        <source>Virtual boards</source>
        <translation>Cartes virtuelles</translation>
    </message>
    <message>
        <source>Buttons (click to press, click again to release)</source>
        <translation>Boutons (cliquer pour appuyer, cliquer encore pour relâcher)</translation>
    </message>
    <message>
        <source>Unplug</source>
        <translation>Débrancher</translation>
    </message>
    <message>
        <source>USB</source>
        <extracomment>The row of the virtual board&apos;s plug: the bus it hangs on.</extracomment>
        <translation>USB</translation>
    </message>
    <message>
        <source>0 (passes)</source>
        <extracomment>The self-test answer 0, which means the board passed its self-test.</extracomment>
        <translation>0 (réussi)</translation>
    </message>
    <message>
        <source>Self-test answer</source>
        <translation>Réponse de l&apos;autotest</translation>
    </message>
    <message>
        <source>stream a report every 10 ms</source>
        <translation>envoyer un rapport toutes les 10 ms</translation>
    </message>
    <message>
        <source>Input reports</source>
        <translation>Rapports d&apos;entrée</translation>
    </message>
    <message>
        <source>Settings held</source>
        <translation>Réglages gardés</translation>
    </message>
    <message>
        <source>%1
%2
Pulse length: %3
&quot;A&quot; input: %4</source>
        <translation>%1
%2
Durée d&apos;impulsion : %3
Entrée &quot;A&quot; : %4</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>The pulse length a board holds when it holds none of the list&apos;s.</extracomment>
        <translation>aucune</translation>
    </message>
    <message>
        <source>Plug in</source>
        <translation>Brancher</translation>
    </message>
</context>
</TS>
