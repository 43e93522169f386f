<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>English</source>
        <extracomment>The name of this translation&apos;s language as its speakers write it (&quot;Deutsch&quot;, &quot;Français&quot;), shown in Help &gt; About.</extracomment>
        <translatorcomment>Machine-made first translation, not yet reviewed by a native speaker: please check every text against the window (docs/ has screenshots) and delete this note when you have.</translatorcomment>
        <translation>Italiano</translation>
    </message>
    <message>
        <source>Copyright © 2026 The tamo-config developers.&lt;br&gt;&lt;br&gt;This program is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License as published by the Free Software Foundation, either version 3 of the License, or (at your option) any later version.&lt;br&gt;&lt;br&gt;This program is distributed in the hope that it will be useful, but &lt;b&gt;WITHOUT ANY WARRANTY&lt;/b&gt;; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License (Help &amp;gt; Licence) for more details.&lt;br&gt;&lt;br&gt;The Windows download also carries Qt, under the GNU Lesser General Public License version 3; its licence texts come with it.</source>
        <translation>Copyright © 2026 Gli sviluppatori di tamo-config.&lt;br&gt;&lt;br&gt;Questo programma è software libero: è possibile ridistribuirlo e/o modificarlo secondo i termini della GNU General Public License pubblicata dalla Free Software Foundation, nella versione 3 della licenza o (a scelta) in qualsiasi versione successiva.&lt;br&gt;&lt;br&gt;Questo programma è distribuito nella speranza che sia utile, ma &lt;b&gt;SENZA ALCUNA GARANZIA&lt;/b&gt;; senza neppure la garanzia implicita di COMMERCIABILITÀ o IDONEITÀ PER UN FINE PARTICOLARE. Per i dettagli vedere la GNU General Public License (Aiuto &amp;gt; Licenza).&lt;br&gt;&lt;br&gt;Il download per Windows contiene anche Qt, sotto la GNU Lesser General Public License versione 3; i suoi testi di licenza sono inclusi.</translation>
    </message>
    <message>
        <source>About tamo-config</source>
        <translation>Informazioni su tamo-config</translation>
    </message>
    <message>
        <source>Configure and test Velbrin button-box controller boards.</source>
        <translation>Configurare e provare le schede controller Velbrin per button box.</translation>
    </message>
    <message>
        <source>Language: %1</source>
        <extracomment>Which language the window is shown in: &quot;Language: Deutsch&quot;.</extracomment>
        <translation>Lingua: %1</translation>
    </message>
    <message>
        <source>Licence notice</source>
        <translation>Nota di licenza</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Dettagli</translation>
    </message>
    <message>
        <source>&amp;Copy details</source>
        <translation>&amp;Copia dettagli</translation>
    </message>
    <message>
        <source>&amp;Licence...</source>
        <translation>&amp;Licenza...</translation>
    </message>
    <message>
        <source>The licence text is missing from this build: see https://www.gnu.org/licenses/gpl-3.0.txt</source>
        <translation>Il testo della licenza manca in questa build: vedere https://www.gnu.org/licenses/gpl-3.0.txt</translation>
    </message>
    <message>
        <source>Licence: GNU General Public License, version 3</source>
        <translation>Licenza: GNU General Public License, versione 3</translation>
    </message>
    <message>
        <source>Licence text</source>
        <translation>Testo della licenza</translation>
    </message>
</context>
<context>
    <name>LampTexts</name>
    <message>
        <source>pressed</source>
        <extracomment>What a screen reader says of a button&apos;s lamp while the button is held.</extracomment>
        <translation>premuto</translation>
    </message>
    <message>
        <source>released</source>
        <translation>rilasciato</translation>
    </message>
</context>
<context>
    <name>SettingTexts</name>
    <message>
        <source>off</source>
        <extracomment>An encoder list&apos;s item: the pair of inputs works as two plain buttons.</extracomment>
        <translation>off</translation>
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
        <translation>Potenziometro</translation>
    </message>
    <message>
        <source>Rotary Switch, Pulsed</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose every position sends one pulse.</extracomment>
        <translation>Selettore, impulso</translation>
    </message>
    <message>
        <source>Rotary Switch, Latched</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose position is held as a pressed button.</extracomment>
        <translation>Selettore, fisso</translation>
    </message>
    <message>
        <source>Button 21</source>
        <extracomment>A mode of the &quot;A&quot; input: it acts as button number 21.</extracomment>
        <translation>Pulsante 21</translation>
    </message>
</context>
<context>
    <name>tamo::app::AppWindow</name>
    <message>
        <source>Save settings</source>
        <translation>Salva impostazioni</translation>
    </message>
    <message>
        <source>Load settings</source>
        <translation>Carica impostazioni</translation>
    </message>
    <message>
        <source>tamo settings (*.json)</source>
        <extracomment>File types in the file dialog; &quot;tamo&quot; is the command-line tool&apos;s name.</extracomment>
        <translation>Impostazioni tamo (*.json)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tutti i file (*)</translation>
    </message>
    <message>
        <source>Board access</source>
        <translation>Accesso alla scheda</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>&amp;Save settings...</source>
        <translation>&amp;Salva impostazioni...</translation>
    </message>
    <message>
        <source>&amp;Load settings...</source>
        <translation>&amp;Carica impostazioni...</translation>
    </message>
    <message>
        <source>&amp;Copy settings to other boards...</source>
        <translation>C&amp;opia impostazioni su altre schede...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>&amp;Board</source>
        <extracomment>A menu: what is done on the open board.</extracomment>
        <translation>&amp;Scheda</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Scheda</translation>
    </message>
    <message>
        <source>&amp;Self-diagnostic</source>
        <translation>&amp;Autodiagnosi</translation>
    </message>
    <message>
        <source>&amp;Button test</source>
        <translation>Test dei &amp;pulsanti</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aiuto</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aiuto</translation>
    </message>
    <message>
        <source>&amp;About tamo-config</source>
        <translation>&amp;Informazioni su tamo-config</translation>
    </message>
    <message>
        <source>&amp;Licence</source>
        <translation>&amp;Licenza</translation>
    </message>
    <message>
        <source>Copy settings to other boards</source>
        <translation>Copia impostazioni su altre schede</translation>
    </message>
</context>
<context>
    <name>tamo::app::MainWindow</name>
    <message>
        <source>A board is attached at %1 but cannot be opened</source>
        <translation>Una scheda è collegata a %1 ma non si può aprire</translation>
    </message>
    <message>
        <source>A board is attached at %1 (serial number %2) but cannot be opened</source>
        <translation>Una scheda è collegata a %1 (numero di serie %2) ma non si può aprire</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <extracomment>The reason a board cannot be opened follows the sentence above; it comes from the system and stays as the system words it.</extracomment>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source> Fix: %1</source>
        <translation> Rimedio: %1</translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n time, shortest gap %1</source>
        <translation>
            <numerusform>visto, rimbalzo %n volta, intervallo minimo %1</numerusform>
            <numerusform>visto, rimbalzi %n volte, intervallo minimo %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n times, shortest gap %1</source>
        <translation>
            <numerusform>visto, rimbalzo %n volta, intervallo minimo %1</numerusform>
            <numerusform>visto, rimbalzi %n volte, intervallo minimo %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n press</source>
        <translation>
            <numerusform>visto, %n pressione</numerusform>
            <numerusform>visto, %n pressioni</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n presses</source>
        <translation>
            <numerusform>visto, %n pressione</numerusform>
            <numerusform>visto, %n pressioni</numerusform>
        </translation>
    </message>
    <message>
        <source>not seen yet</source>
        <translation>non ancora visto</translation>
    </message>
    <message>
        <source>End test</source>
        <extracomment>The button that started the button test, while it runs. At most 96 pixels wide.</extracomment>
        <translation>Fine test</translation>
    </message>
    <message>
        <source>Button test</source>
        <extracomment>A button that starts the button test. At most 96 pixels wide, with its margins.</extracomment>
        <translation>Test pulsanti</translation>
    </message>
    <message>
        <source> (ended)</source>
        <translation> (terminato)</translation>
    </message>
    <message>
        <source>Board %1</source>
        <extracomment>The first line of a copied button test result: &quot;Board TB-000117, Tamo 32&quot;.</extracomment>
        <translation>Scheda %1</translation>
    </message>
    <message>
        <source>Tamo - micro Velbrin</source>
        <extracomment>The window&apos;s title: the product word and the board family&apos;s name, kept as they are.</extracomment>
        <translation>Tamo - micro Velbrin</translation>
    </message>
    <message>
        <source>Reset to default settings</source>
        <translation>Ripristina impostazioni predefinite</translation>
    </message>
    <message>
        <source>Input value capabilities</source>
        <translation>Capacità dei valori di ingresso</translation>
    </message>
    <message>
        <source>HID capabilities</source>
        <translation>Capacità HID</translation>
    </message>
    <message>
        <source>Windows buttons</source>
        <extracomment>The caption of the frame of button lamps: the buttons as the system&apos;s game controller settings call them.</extracomment>
        <translation>Pulsanti di Windows</translation>
    </message>
    <message>
        <source>Button lamps</source>
        <translation>Spie dei pulsanti</translation>
    </message>
    <message>
        <source>Input monitor messages</source>
        <translation>Messaggi del monitor degli ingressi</translation>
    </message>
    <message>
        <source>Self Diagnostic</source>
        <translation>Autodiagnosi</translation>
    </message>
    <message>
        <source>Run self-diagnostic</source>
        <translation>Esegui autodiagnosi</translation>
    </message>
    <message>
        <source>A input mode</source>
        <translation>Modalità dell&apos;ingresso A</translation>
    </message>
    <message>
        <source>Self-diagnostic reply</source>
        <translation>Risposta dell&apos;autodiagnosi</translation>
    </message>
    <message>
        <source>Rotary encoders </source>
        <extracomment>A frame&apos;s caption; the blank after it is the design&apos;s.</extracomment>
        <translation>Encoder rotativi </translation>
    </message>
    <message>
        <source>Rotary encoders</source>
        <translation>Encoder rotativi</translation>
    </message>
    <message>
        <source>Device details </source>
        <extracomment>A frame&apos;s caption; the blank after it is the design&apos;s.</extracomment>
        <translation>Dati del dispositivo </translation>
    </message>
    <message>
        <source>Device details</source>
        <translation>Dati del dispositivo</translation>
    </message>
    <message>
        <source>Self-diagnostic result</source>
        <translation>Risultato dell&apos;autodiagnosi</translation>
    </message>
    <message>
        <source>&quot;A&quot; Input mode</source>
        <extracomment>The caption of the list of modes of the analogue input named &quot;A&quot; (a name, not a letter to translate). At most 1455 twips (97 pixels) wide.</extracomment>
        <translation>Ingresso &quot;A&quot;</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Numero di serie</translation>
    </message>
    <message>
        <source>Version</source>
        <extracomment>A caption of the device details: the board&apos;s version. At most 97 pixels wide.</extracomment>
        <translation>Versione</translation>
    </message>
    <message>
        <source>Product</source>
        <extracomment>A caption of the device details: the board&apos;s product name. At most 81 pixels wide.</extracomment>
        <translation>Prodotto</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <extracomment>A caption of the device details: who made the board. At most 81 pixels wide.</extracomment>
        <translation>Produttore</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <extracomment>A caption of the device details, left of the list of boards: it must end before the list begins, 96 pixels from its start.</extracomment>
        <translation>N. di serie</translation>
    </message>
    <message>
        <source>Encoder %1</source>
        <extracomment>A screen reader&apos;s name for the encoder list of a pair of inputs, &quot;Encoder B1 + B2&quot;.</extracomment>
        <translation>Encoder %1</translation>
    </message>
    <message>
        <source>Pulse length</source>
        <extracomment>The caption of the list of encoder pulse lengths (8 ms to 200 ms). At most 1335 twips (89 pixels) wide.</extracomment>
        <translation>Durata impulso</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Separatore</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Pulsante %1</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button that starts the button test again. At most 52 pixels wide, with its margins.</extracomment>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Reset button test</source>
        <translation>Ricomincia il test dei pulsanti</translation>
    </message>
    <message>
        <source>Copy result</source>
        <extracomment>A button that copies the button test&apos;s result. At most 81 pixels wide, with its margins.</extracomment>
        <translation>Copia</translation>
    </message>
    <message>
        <source>Copy button test result</source>
        <translation>Copia il risultato del test dei pulsanti</translation>
    </message>
    <message>
        <source>Press every input once: each press is counted and shown, however short, and inputs that bounce or are wired together are named.</source>
        <translation>Premere ogni ingresso una volta: ogni pressione viene contata e mostrata, per quanto breve, e gli ingressi che rimbalzano o sono collegati tra loro vengono segnalati.</translation>
    </message>
    <message>
        <source>Button test result</source>
        <translation>Risultato del test dei pulsanti</translation>
    </message>
    <message>
        <source>Sending failed part-way: the board holds some of the settings, not all.</source>
        <translation>L&apos;invio si è interrotto a metà: la scheda conserva alcune impostazioni, non tutte.</translation>
    </message>
    <message>
        <source>Sent: </source>
        <translation>Inviato: </translation>
    </message>
    <message>
        <source>Failed: </source>
        <translation>Non riuscito: </translation>
    </message>
    <message>
        <source>Not sent: </source>
        <translation>Non inviato: </translation>
    </message>
    <message>
        <source>Everything was sent, but the board gave no usable configuration reply to check it.</source>
        <translation>Tutto è stato inviato, ma la scheda non ha dato una risposta di configurazione utilizzabile per verificarlo.</translation>
    </message>
    <message>
        <source>The board does not hold what was sent:</source>
        <translation>La scheda non conserva ciò che è stato inviato:</translation>
    </message>
    <message>
        <source>Encoders: %1
Pulse length: %2
&quot;A&quot; input: %3</source>
        <translation>Encoder: %1
Durata impulso: %2
Ingresso &quot;A&quot;: %3</translation>
    </message>
    <message>
        <source>The board gave no usable configuration reply in %1 reads: %2.</source>
        <translation>La scheda non ha dato una risposta di configurazione utilizzabile in %1 letture: %2.</translation>
    </message>
    <message>
        <source>The board holds %1: choose one in its list first.</source>
        <translation>La scheda contiene %1: scegliere prima un valore dal suo elenco.</translation>
    </message>
    <message>
        <source>No board is open: nothing was saved.</source>
        <translation>Nessuna scheda aperta: non è stato salvato nulla.</translation>
    </message>
    <message>
        <source> Nothing was written.</source>
        <translation> Non è stato scritto nulla.</translation>
    </message>
    <message>
        <source>The settings could not be saved: nothing was written.</source>
        <translation>Impossibile salvare le impostazioni: non è stato scritto nulla.</translation>
    </message>
    <message>
        <source>Saved the settings of %1 to %2.</source>
        <translation>Impostazioni di %1 salvate in %2.</translation>
    </message>
    <message>
        <source>No board is open: nothing was sent.</source>
        <translation>Nessuna scheda aperta: non è stato inviato nulla.</translation>
    </message>
    <message>
        <source>This is not a settings file the tool can load: nothing was sent.</source>
        <translation>Non è un file di impostazioni che lo strumento può caricare: non è stato inviato nulla.</translation>
    </message>
    <message>
        <source>This file was saved from another board:
%1

Load its settings onto %2 anyway?</source>
        <translation>Questo file è stato salvato da un&apos;altra scheda:
%1

Caricare comunque le sue impostazioni su %2?</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>Non è stato inviato nulla.</translation>
    </message>
    <message>
        <source>The board went away: nothing was sent.</source>
        <translation>La scheda è scomparsa: non è stato inviato nulla.</translation>
    </message>
    <message>
        <source>Loaded %1 onto %2: every setting was sent, read back and holds.</source>
        <translation>%1 caricato su %2: ogni impostazione è stata inviata, riletta ed è valida.</translation>
    </message>
    <message>
        <source>No board is open: nothing was copied.</source>
        <translation>Nessuna scheda aperta: non è stato copiato nulla.</translation>
    </message>
    <message>
        <source> Nothing was copied.</source>
        <translation> Non è stato copiato nulla.</translation>
    </message>
    <message>
        <source>%1: could not be opened: %2</source>
        <translation>%1: impossibile aprirla: %2</translation>
    </message>
    <message>
        <source>copied: sent, read back and holds.</source>
        <translation>copiato: inviato, riletto e valido.</translation>
    </message>
    <message>
        <source>%1: cannot be opened: %2</source>
        <translation>%1: non si può aprire: %2</translation>
    </message>
    <message>
        <source>No other board is attached: nothing was copied.</source>
        <translation>Nessun&apos;altra scheda collegata: non è stato copiato nulla.</translation>
    </message>
    <message>
        <source>Copied the settings of %1 to %2 of %3 other boards.</source>
        <translation>Impostazioni di %1 copiate su %2 di %3 altre schede.</translation>
    </message>
</context>
<context>
    <name>tamo::app::VirtualBoardPanel</name>
    <message>
        <source>Virtual boards</source>
        <translation>Schede virtuali</translation>
    </message>
    <message>
        <source>Buttons (click to press, click again to release)</source>
        <translation>Pulsanti (clic per premere, altro clic per rilasciare)</translation>
    </message>
    <message>
        <source>Unplug</source>
        <translation>Scollega</translation>
    </message>
    <message>
        <source>USB</source>
        <extracomment>The row of the virtual board&apos;s plug: the bus it hangs on.</extracomment>
        <translation>USB</translation>
    </message>
    <message>
        <source>0 (passes)</source>
        <extracomment>The self-test answer 0, which means the board passed its self-test.</extracomment>
        <translation>0 (superato)</translation>
    </message>
    <message>
        <source>Self-test answer</source>
        <translation>Risposta dell&apos;autotest</translation>
    </message>
    <message>
        <source>stream a report every 10 ms</source>
        <translation>invia un report ogni 10 ms</translation>
    </message>
    <message>
        <source>Input reports</source>
        <translation>Report di ingresso</translation>
    </message>
    <message>
        <source>Settings held</source>
        <translation>Impostazioni conservate</translation>
    </message>
    <message>
        <source>%1
%2
Pulse length: %3
&quot;A&quot; input: %4</source>
        <translation>%1
%2
Durata impulso: %3
Ingresso &quot;A&quot;: %4</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>The pulse length a board holds when it holds none of the list&apos;s.</extracomment>
        <translation>nessuna</translation>
    </message>
    <message>
        <source>Plug in</source>
        <translation>Collega</translation>
    </message>
</context>
</TS>
