<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>English</source>
        <extracomment>The name of this translation&apos;s language as its speakers write it (&quot;Deutsch&quot;, &quot;Français&quot;), shown in Help &gt; About.</extracomment>
        <translatorcomment>Machine-made first translation, not yet reviewed by a native speaker: please check every text against the window (docs/ has screenshots) and delete this note when you have.</translatorcomment>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Copyright © 2026 The tamo-config developers.&lt;br&gt;&lt;br&gt;This program is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License as published by the Free Software Foundation, either version 3 of the License, or (at your option) any later version.&lt;br&gt;&lt;br&gt;This program is distributed in the hope that it will be useful, but &lt;b&gt;WITHOUT ANY WARRANTY&lt;/b&gt;; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License (Help &amp;gt; Licence) for more details.&lt;br&gt;&lt;br&gt;The Windows download also carries Qt, under the GNU Lesser General Public License version 3; its licence texts come with it.</source>
        <translation>Copyright © 2026 Die Entwickler von tamo-config.&lt;br&gt;&lt;br&gt;Dieses Programm ist freie Software: Sie können es unter den Bedingungen der GNU General Public License, wie von der Free Software Foundation veröffentlicht, weitergeben und/oder ändern, entweder gemäß Version 3 der Lizenz oder (nach Ihrer Wahl) jeder späteren Version.&lt;br&gt;&lt;br&gt;Dieses Programm wird in der Hoffnung verbreitet, dass es nützlich ist, aber &lt;b&gt;OHNE JEDE GEWÄHRLEISTUNG&lt;/b&gt;; sogar ohne die implizite Gewährleistung der MARKTREIFE oder der EIGNUNG FÜR EINEN BESTIMMTEN ZWECK. Einzelheiten stehen in der GNU General Public License (Hilfe &amp;gt; Lizenz).&lt;br&gt;&lt;br&gt;Der Windows-Download enthält außerdem Qt unter der GNU Lesser General Public License, Version 3; deren Lizenztexte liegen bei.</translation>
    </message>
    <message>
        <source>About tamo-config</source>
        <translation>Über tamo-config</translation>
    </message>
    <message>
        <source>Configure and test Velbrin button-box controller boards.</source>
        <translation>Velbrin-Controllerplatinen für Button-Boxen einstellen und testen.</translation>
    </message>
    <message>
        <source>Language: %1</source>
        <extracomment>Which language the window is shown in: &quot;Language: Deutsch&quot;.</extracomment>
        <translation>Sprache: %1</translation>
    </message>
    <message>
        <source>Licence notice</source>
        <translation>Lizenzhinweis</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>&amp;Copy details</source>
        <translation>Details &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Licence...</source>
        <translation>&amp;Lizenz...</translation>
    </message>
    <message>
        <source>The licence text is missing from this build: see https://www.gnu.org/licenses/gpl-3.0.txt</source>
        <translation>Der Lizenztext fehlt in diesem Build: siehe https://www.gnu.org/licenses/gpl-3.0.txt</translation>
    </message>
    <message>
        <source>Licence: GNU General Public License, version 3</source>
        <translation>Lizenz: GNU General Public License, Version 3</translation>
    </message>
    <message>
        <source>Licence text</source>
        <translation>Lizenztext</translation>
    </message>
</context>
<context>
    <name>LampTexts</name>
    <message>
        <source>pressed</source>
        <extracomment>What a screen reader says of a button&apos;s lamp while the button is held.</extracomment>
        <translation>gedrückt</translation>
    </message>
    <message>
        <source>released</source>
        <translation>losgelassen</translation>
    </message>
</context>
<context>
    <name>SettingTexts</name>
    <message>
        <source>off</source>
        <extracomment>An encoder list&apos;s item: the pair of inputs works as two plain buttons.</extracomment>
        <translation>aus</translation>
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
        <translation>Potentiometer</translation>
    </message>
    <message>
        <source>Rotary Switch, Pulsed</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose every position sends one pulse.</extracomment>
        <translation>Drehschalter, Impuls</translation>
    </message>
    <message>
        <source>Rotary Switch, Latched</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose position is held as a pressed button.</extracomment>
        <translation>Drehschalter, rastend</translation>
    </message>
    <message>
        <source>Button 21</source>
        <extracomment>A mode of the &quot;A&quot; input: it acts as button number 21.</extracomment>
        <translation>Taste 21</translation>
    </message>
</context>
<context>
    <name>tamo::app::AppWindow</name>
    <message>
        <source>Save settings</source>
        <translation>Einstellungen speichern</translation>
    </message>
    <message>
        <source>Load settings</source>
        <translation>Einstellungen laden</translation>
    </message>
    <message>
        <source>tamo settings (*.json)</source>
        <extracomment>File types in the file dialog; &quot;tamo&quot; is the command-line tool&apos;s name.</extracomment>
        <translation>tamo-Einstellungen (*.json)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Board access</source>
        <translation>Zugriff auf die Platine</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>&amp;Save settings...</source>
        <translation>Einstellungen &amp;speichern...</translation>
    </message>
    <message>
        <source>&amp;Load settings...</source>
        <translation>Einstellungen &amp;laden...</translation>
    </message>
    <message>
        <source>&amp;Copy settings to other boards...</source>
        <translation>Einstellungen auf andere Platinen &amp;kopieren...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Board</source>
        <extracomment>A menu: what is done on the open board.</extracomment>
        <translation>&amp;Platine</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Platine</translation>
    </message>
    <message>
        <source>&amp;Self-diagnostic</source>
        <translation>&amp;Selbsttest</translation>
    </message>
    <message>
        <source>&amp;Button test</source>
        <translation>&amp;Tastentest</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;About tamo-config</source>
        <translation>&amp;Über tamo-config</translation>
    </message>
    <message>
        <source>&amp;Licence</source>
        <translation>&amp;Lizenz</translation>
    </message>
    <message>
        <source>Copy settings to other boards</source>
        <translation>Einstellungen auf andere Platinen kopieren</translation>
    </message>
</context>
<context>
    <name>tamo::app::MainWindow</name>
    <message>
        <source>A board is attached at %1 but cannot be opened</source>
        <translation>An %1 ist eine Platine angeschlossen, sie lässt sich aber nicht öffnen</translation>
    </message>
    <message>
        <source>A board is attached at %1 (serial number %2) but cannot be opened</source>
        <translation>An %1 ist eine Platine angeschlossen (Seriennummer %2), sie lässt sich aber nicht öffnen</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <extracomment>The reason a board cannot be opened follows the sentence above; it comes from the system and stays as the system words it.</extracomment>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source> Fix: %1</source>
        <translation> Abhilfe: %1</translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n time, shortest gap %1</source>
        <translation>
            <numerusform>erkannt, %n-mal geprellt, kürzeste Lücke %1</numerusform>
            <numerusform>erkannt, %n-mal geprellt, kürzeste Lücke %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n times, shortest gap %1</source>
        <translation>
            <numerusform>erkannt, %n-mal geprellt, kürzeste Lücke %1</numerusform>
            <numerusform>erkannt, %n-mal geprellt, kürzeste Lücke %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n press</source>
        <translation>
            <numerusform>erkannt, %n Druck</numerusform>
            <numerusform>erkannt, %n Drücke</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n presses</source>
        <translation>
            <numerusform>erkannt, %n Druck</numerusform>
            <numerusform>erkannt, %n Drücke</numerusform>
        </translation>
    </message>
    <message>
        <source>not seen yet</source>
        <translation>noch nicht erkannt</translation>
    </message>
    <message>
        <source>End test</source>
        <extracomment>The button that started the button test, while it runs. At most 96 pixels wide.</extracomment>
        <translation>Test beenden</translation>
    </message>
    <message>
        <source>Button test</source>
        <extracomment>A button that starts the button test. At most 96 pixels wide, with its margins.</extracomment>
        <translation>Tastentest</translation>
    </message>
    <message>
        <source> (ended)</source>
        <translation> (beendet)</translation>
    </message>
    <message>
        <source>Board %1</source>
        <extracomment>The first line of a copied button test result: &quot;Board TB-000117, Tamo 32&quot;.</extracomment>
        <translation>Platine %1</translation>
    </message>
    <message>
        <source>Tamo - micro Velbrin</source>
        <extracomment>The window&apos;s title: the product word and the board family&apos;s name, kept as they are.</extracomment>
        <translation>Tamo - micro Velbrin</translation>
    </message>
    <message>
        <source>Reset to default settings</source>
        <translation>Auf Standardwerte zurücksetzen</translation>
    </message>
    <message>
        <source>Input value capabilities</source>
        <translation>Fähigkeiten der Eingabewerte</translation>
    </message>
    <message>
        <source>HID capabilities</source>
        <translation>HID-Fähigkeiten</translation>
    </message>
    <message>
        <source>Windows buttons</source>
        <extracomment>The caption of the frame of button lamps: the buttons as the system&apos;s game controller settings call them.</extracomment>
        <translation>Windows-Tasten</translation>
    </message>
    <message>
        <source>Button lamps</source>
        <translation>Tastenlampen</translation>
    </message>
    <message>
        <source>Input monitor messages</source>
        <translation>Meldungen der Eingabeüberwachung</translation>
    </message>
    <message>
        <source>Self Diagnostic</source>
        <translation>Selbsttest</translation>
    </message>
    <message>
        <source>Run self-diagnostic</source>
        <translation>Selbsttest ausführen</translation>
    </message>
    <message>
        <source>A input mode</source>
        <translation>Modus des Eingangs A</translation>
    </message>
    <message>
        <source>Self-diagnostic reply</source>
        <translation>Antwort des Selbsttests</translation>
    </message>
    <message>
        <source>Rotary encoders </source>
        <extracomment>A frame&apos;s caption; the blank after it is the design&apos;s.</extracomment>
        <translation>Drehencoder </translation>
    </message>
    <message>
        <source>Rotary encoders</source>
        <translation>Drehencoder</translation>
    </message>
    <message>
        <source>Device details </source>
        <extracomment>A frame&apos;s caption; the blank after it is the design&apos;s.</extracomment>
        <translation>Gerätedaten </translation>
    </message>
    <message>
        <source>Device details</source>
        <translation>Gerätedaten</translation>
    </message>
    <message>
        <source>Self-diagnostic result</source>
        <translation>Ergebnis des Selbsttests</translation>
    </message>
    <message>
        <source>&quot;A&quot; Input mode</source>
        <extracomment>The caption of the list of modes of the analogue input named &quot;A&quot; (a name, not a letter to translate). At most 1455 twips (97 pixels) wide.</extracomment>
        <translation>Eingang &quot;A&quot;</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Version</source>
        <extracomment>A caption of the device details: the board&apos;s version. At most 97 pixels wide.</extracomment>
        <translation>Version</translation>
    </message>
    <message>
        <source>Product</source>
        <extracomment>A caption of the device details: the board&apos;s product name. At most 81 pixels wide.</extracomment>
        <translation>Produkt</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <extracomment>A caption of the device details: who made the board. At most 81 pixels wide.</extracomment>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <extracomment>A caption of the device details, left of the list of boards: it must end before the list begins, 96 pixels from its start.</extracomment>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Encoder %1</source>
        <extracomment>A screen reader&apos;s name for the encoder list of a pair of inputs, &quot;Encoder B1 + B2&quot;.</extracomment>
        <translation>Encoder %1</translation>
    </message>
    <message>
        <source>Pulse length</source>
        <extracomment>The caption of the list of encoder pulse lengths (8 ms to 200 ms). At most 1335 twips (89 pixels) wide.</extracomment>
        <translation>Impulsdauer</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Trennlinie</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Taste %1</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button that starts the button test again. At most 52 pixels wide, with its margins.</extracomment>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Reset button test</source>
        <translation>Tastentest zurücksetzen</translation>
    </message>
    <message>
        <source>Copy result</source>
        <extracomment>A button that copies the button test&apos;s result. At most 81 pixels wide, with its margins.</extracomment>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copy button test result</source>
        <translation>Ergebnis des Tastentests kopieren</translation>
    </message>
    <message>
        <source>Press every input once: each press is counted and shown, however short, and inputs that bounce or are wired together are named.</source>
        <translation>Jeden Eingang einmal drücken: Jeder Druck wird gezählt und gezeigt, wie kurz er auch ist, und prellende oder miteinander verbundene Eingänge werden genannt.</translation>
    </message>
    <message>
        <source>Button test result</source>
        <translation>Ergebnis des Tastentests</translation>
    </message>
    <message>
        <source>Sending failed part-way: the board holds some of the settings, not all.</source>
        <translation>Das Senden brach mittendrin ab: Die Platine hält einige der Einstellungen, nicht alle.</translation>
    </message>
    <message>
        <source>Sent: </source>
        <translation>Gesendet: </translation>
    </message>
    <message>
        <source>Failed: </source>
        <translation>Fehlgeschlagen: </translation>
    </message>
    <message>
        <source>Not sent: </source>
        <translation>Nicht gesendet: </translation>
    </message>
    <message>
        <source>Everything was sent, but the board gave no usable configuration reply to check it.</source>
        <translation>Alles wurde gesendet, aber die Platine gab keine brauchbare Konfigurationsantwort zur Prüfung.</translation>
    </message>
    <message>
        <source>The board does not hold what was sent:</source>
        <translation>Die Platine hält nicht, was gesendet wurde:</translation>
    </message>
    <message>
        <source>Encoders: %1
Pulse length: %2
&quot;A&quot; input: %3</source>
        <translation>Encoder: %1
Impulsdauer: %2
Eingang &quot;A&quot;: %3</translation>
    </message>
    <message>
        <source>The board gave no usable configuration reply in %1 reads: %2.</source>
        <translation>Die Platine gab in %1 Leseversuchen keine brauchbare Konfigurationsantwort: %2.</translation>
    </message>
    <message>
        <source>The board holds %1: choose one in its list first.</source>
        <translation>Die Platine hält %1: Zuerst einen Wert aus der Liste wählen.</translation>
    </message>
    <message>
        <source>No board is open: nothing was saved.</source>
        <translation>Keine Platine geöffnet: Nichts wurde gespeichert.</translation>
    </message>
    <message>
        <source> Nothing was written.</source>
        <translation> Nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>The settings could not be saved: nothing was written.</source>
        <translation>Die Einstellungen ließen sich nicht speichern: Nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>Saved the settings of %1 to %2.</source>
        <translation>Die Einstellungen von %1 wurden in %2 gespeichert.</translation>
    </message>
    <message>
        <source>No board is open: nothing was sent.</source>
        <translation>Keine Platine geöffnet: Nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>This is not a settings file the tool can load: nothing was sent.</source>
        <translation>Das ist keine Einstellungsdatei, die das Programm laden kann: Nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>This file was saved from another board:
%1

Load its settings onto %2 anyway?</source>
        <translation>Diese Datei wurde von einer anderen Platine gespeichert:
%1

Ihre Einstellungen trotzdem auf %2 laden?</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>Nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>The board went away: nothing was sent.</source>
        <translation>Die Platine ist weg: Nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>Loaded %1 onto %2: every setting was sent, read back and holds.</source>
        <translation>%1 auf %2 geladen: Jede Einstellung wurde gesendet, zurückgelesen und gilt.</translation>
    </message>
    <message>
        <source>No board is open: nothing was copied.</source>
        <translation>Keine Platine geöffnet: Nichts wurde kopiert.</translation>
    </message>
    <message>
        <source> Nothing was copied.</source>
        <translation> Nichts wurde kopiert.</translation>
    </message>
    <message>
        <source>%1: could not be opened: %2</source>
        <translation>%1: ließ sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>copied: sent, read back and holds.</source>
        <translation>kopiert: gesendet, zurückgelesen, gilt.</translation>
    </message>
    <message>
        <source>%1: cannot be opened: %2</source>
        <translation>%1: lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>No other board is attached: nothing was copied.</source>
        <translation>Keine andere Platine angeschlossen: Nichts wurde kopiert.</translation>
    </message>
    <message>
        <source>Copied the settings of %1 to %2 of %3 other boards.</source>
        <translation>Die Einstellungen von %1 wurden auf %2 von %3 anderen Platinen kopiert.</translation>
    </message>
</context>
<context>
    <name>tamo::app::VirtualBoardPanel</name>
    <message>
        <source>Virtual boards</source>
        <translation>Virtuelle Platinen</translation>
    </message>
    <message>
        <source>Buttons (click to press, click again to release)</source>
        <translation>Tasten (klicken zum Drücken, erneut klicken zum Loslassen)</translation>
    </message>
    <message>
        <source>Unplug</source>
        <translation>Abziehen</translation>
    </message>
    <message>
        <source>USB</source>
        <extracomment>The row of the virtual board&apos;s plug: the bus it hangs on.</extracomment>
        <translation>USB</translation>
    </message>
    <message>
        <source>0 (passes)</source>
        <extracomment>The self-test answer 0, which means the board passed its self-test.</extracomment>
        <translation>0 (bestanden)</translation>
    </message>
    <message>
        <source>Self-test answer</source>
        <translation>Antwort des Selbsttests</translation>
    </message>
    <message>
        <source>stream a report every 10 ms</source>
        <translation>alle 10 ms einen Report senden</translation>
    </message>
    <message>
        <source>Input reports</source>
        <translation>Eingabe-Reports</translation>
    </message>
    <message>
        <source>Settings held</source>
        <translation>Gehaltene Einstellungen</translation>
    </message>
    <message>
        <source>%1
%2
Pulse length: %3
&quot;A&quot; input: %4</source>
        <translation>%1
%2
Impulsdauer: %3
Eingang &quot;A&quot;: %4</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>The pulse length a board holds when it holds none of the list&apos;s.</extracomment>
        <translation>keine</translation>
    </message>
    <message>
        <source>Plug in</source>
        <translation>Anstecken</translation>
    </message>
</context>
</TS>
