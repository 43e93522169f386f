<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>English</source>
        <extracomment>The name of this translation&apos;s language as its speakers write it (&quot;Deutsch&quot;, &quot;Français&quot;), shown in Help &gt; About.</extracomment>
        <translatorcomment>Machine-made first translation, not yet reviewed by a native speaker: please check every text against the window (docs/ has screenshots) and delete this note when you have.</translatorcomment>
        <translation>Polski</translation>
    </message>
    <message>
        <source>Copyright © 2026 The tamo-config developers.&lt;br&gt;&lt;br&gt;This program is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License as published by the Free Software Foundation, either version 3 of the License, or (at your option) any later version.&lt;br&gt;&lt;br&gt;This program is distributed in the hope that it will be useful, but &lt;b&gt;WITHOUT ANY WARRANTY&lt;/b&gt;; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License (Help &amp;gt; Licence) for more details.&lt;br&gt;&lt;br&gt;The Windows download also carries Qt, under the GNU Lesser General Public License version 3; its licence texts come with it.</source>
        <translation>Copyright © 2026 Twórcy tamo-config.&lt;br&gt;&lt;br&gt;Ten program jest wolnym oprogramowaniem: możesz go rozpowszechniać i/lub modyfikować na warunkach Powszechnej Licencji Publicznej GNU (GNU General Public License) opublikowanej przez Free Software Foundation, w wersji 3 tej licencji lub (według twojego wyboru) dowolnej późniejszej.&lt;br&gt;&lt;br&gt;Ten program jest rozpowszechniany w nadziei, że będzie użyteczny, ale &lt;b&gt;BEZ JAKIEJKOLWIEK GWARANCJI&lt;/b&gt;; nawet bez domyślnej gwarancji PRZYDATNOŚCI HANDLOWEJ albo PRZYDATNOŚCI DO OKREŚLONYCH ZASTOSOWAŃ. Szczegóły w GNU General Public License (Pomoc &amp;gt; Licencja).&lt;br&gt;&lt;br&gt;Pakiet dla Windows zawiera też Qt na licencji GNU Lesser General Public License w wersji 3; jej teksty są dołączone.</translation>
    </message>
    <message>
        <source>About tamo-config</source>
        <translation>O programie tamo-config</translation>
    </message>
    <message>
        <source>Configure and test Velbrin button-box controller boards.</source>
        <translation>Konfiguracja i testowanie płytek sterujących Velbrin do button boxów.</translation>
    </message>
    <message>
        <source>Language: %1</source>
        <extracomment>Which language the window is shown in: &quot;Language: Deutsch&quot;.</extracomment>
        <translation>Język: %1</translation>
    </message>
    <message>
        <source>Licence notice</source>
        <translation>Informacja o licencji</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Szczegóły</translation>
    </message>
    <message>
        <source>&amp;Copy details</source>
        <translation>&amp;Kopiuj szczegóły</translation>
    </message>
    <message>
        <source>&amp;Licence...</source>
        <translation>&amp;Licencja...</translation>
    </message>
    <message>
        <source>The licence text is missing from this build: see https://www.gnu.org/licenses/gpl-3.0.txt</source>
        <translation>W tej kompilacji brakuje tekstu licencji: zobacz https://www.gnu.org/licenses/gpl-3.0.txt</translation>
    </message>
    <message>
        <source>Licence: GNU General Public License, version 3</source>
        <translation>Licencja: GNU General Public License, wersja 3</translation>
    </message>
    <message>
        <source>Licence text</source>
        <translation>Tekst licencji</translation>
    </message>
</context>
<context>
    <name>LampTexts</name>
    <message>
        <source>pressed</source>
        <extracomment>What a screen reader says of a button&apos;s lamp while the button is held.</extracomment>
        <translation>wciśnięty</translation>
    </message>
    <message>
        <source>released</source>
        <translation>puszczony</translation>
    </message>
</context>
<context>
    <name>SettingTexts</name>
    <message>
        <source>off</source>
        <extracomment>An encoder list&apos;s item: the pair of inputs works as two plain buttons.</extracomment>
        <translation>wył.</translation>
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
        <translation>Potencjometr</translation>
    </message>
    <message>
        <source>Rotary Switch, Pulsed</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose every position sends one pulse.</extracomment>
        <translation>Przełącznik obr., impuls</translation>
    </message>
    <message>
        <source>Rotary Switch, Latched</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose position is held as a pressed button.</extracomment>
        <translation>Przełącznik obr., stały</translation>
    </message>
    <message>
        <source>Button 21</source>
        <extracomment>A mode of the &quot;A&quot; input: it acts as button number 21.</extracomment>
        <translation>Przycisk 21</translation>
    </message>
</context>
<context>
    <name>tamo::app::AppWindow</name>
    <message>
        <source>Save settings</source>
        <translation>Zapisz ustawienia</translation>
    </message>
    <message>
        <source>Load settings</source>
        <translation>Wczytaj ustawienia</translation>
    </message>
    <message>
        <source>tamo settings (*.json)</source>
        <extracomment>File types in the file dialog; &quot;tamo&quot; is the command-line tool&apos;s name.</extracomment>
        <translation>Ustawienia tamo (*.json)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Wszystkie pliki (*)</translation>
    </message>
    <message>
        <source>Board access</source>
        <translation>Dostęp do płytki</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Plik</translation>
    </message>
    <message>
        <source>&amp;Save settings...</source>
        <translation>&amp;Zapisz ustawienia...</translation>
    </message>
    <message>
        <source>&amp;Load settings...</source>
        <translation>&amp;Wczytaj ustawienia...</translation>
    </message>
    <message>
        <source>&amp;Copy settings to other boards...</source>
        <translation>&amp;Kopiuj ustawienia na inne płytki...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>Za&amp;kończ</translation>
    </message>
    <message>
        <source>&amp;Board</source>
        <extracomment>A menu: what is done on the open board.</extracomment>
        <translation>Pł&amp;ytka</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Płytka</translation>
    </message>
    <message>
        <source>&amp;Self-diagnostic</source>
        <translation>&amp;Autodiagnostyka</translation>
    </message>
    <message>
        <source>&amp;Button test</source>
        <translation>&amp;Test przycisków</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Po&amp;moc</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Pomoc</translation>
    </message>
    <message>
        <source>&amp;About tamo-config</source>
        <translation>&amp;O programie tamo-config</translation>
    </message>
    <message>
        <source>&amp;Licence</source>
        <translation>&amp;Licencja</translation>
    </message>
    <message>
        <source>Copy settings to other boards</source>
        <translation>Kopiuj ustawienia na inne płytki</translation>
    </message>
</context>
<context>
    <name>tamo::app::MainWindow</name>
    <message>
        <source>A board is attached at %1 but cannot be opened</source>
        <translation>Płytka jest podłączona pod %1, ale nie można jej otworzyć</translation>
    </message>
    <message>
        <source>A board is attached at %1 (serial number %2) but cannot be opened</source>
        <translation>Płytka jest podłączona pod %1 (numer seryjny %2), ale nie można jej otworzyć</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <extracomment>The reason a board cannot be opened follows the sentence above; it comes from the system and stays as the system words it.</extracomment>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source> Fix: %1</source>
        <translation> Rozwiązanie: %1</translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n time, shortest gap %1</source>
        <translation>
            <numerusform>wykryty, drgania %n raz, najkrótsza przerwa %1</numerusform>
            <numerusform>wykryty, drgania %n razy, najkrótsza przerwa %1</numerusform>
            <numerusform>wykryty, drgania %n razy, najkrótsza przerwa %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n times, shortest gap %1</source>
        <translation>
            <numerusform>wykryty, drgania %n raz, najkrótsza przerwa %1</numerusform>
            <numerusform>wykryty, drgania %n razy, najkrótsza przerwa %1</numerusform>
            <numerusform>wykryty, drgania %n razy, najkrótsza przerwa %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n press</source>
        <translation>
            <numerusform>wykryty, %n naciśnięcie</numerusform>
            <numerusform>wykryty, %n naciśnięcia</numerusform>
            <numerusform>wykryty, %n naciśnięć</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n presses</source>
        <translation>
            <numerusform>wykryty, %n naciśnięcie</numerusform>
            <numerusform>wykryty, %n naciśnięcia</numerusform>
            <numerusform>wykryty, %n naciśnięć</numerusform>
        </translation>
    </message>
    <message>
        <source>not seen yet</source>
        <translation>jeszcze nie wykryty</translation>
    </message>
    <message>
        <source>End test</source>
        <extracomment>The button that started the button test, while it runs. At most 96 pixels wide.</extracomment>
        <translation>Zakończ test</translation>
    </message>
    <message>
        <source>Button test</source>
        <extracomment>A button that starts the button test. At most 96 pixels wide, with its margins.</extracomment>
        <translation>Test przyc.</translation>
    </message>
    <message>
        <source> (ended)</source>
        <translation> (zakończony)</translation>
    </message>
    <message>
        <source>Board %1</source>
        <extracomment>The first line of a copied button test result: &quot;Board TB-000117, Tamo 32&quot;.</extracomment>
        <translation>Płytka %1</translation>
    </message>
    <message>
        <source>Tamo - micro Velbrin</source>
        <extracomment>The window&apos;s title: the product word and the board family&apos;s name, kept as they are.</extracomment>
        <translation>Tamo - micro Velbrin</translation>
    </message>
    <message>
        <source>Reset to default settings</source>
        <translation>Przywróć ustawienia domyślne</translation>
    </message>
    <message>
        <source>Input value capabilities</source>
        <translation>Możliwości wartości wejściowych</translation>
    </message>
    <message>
        <source>HID capabilities</source>
        <translation>Możliwości HID</translation>
    </message>
    <message>
        <source>Windows buttons</source>
        <extracomment>The caption of the frame of button lamps: the buttons as the system&apos;s game controller settings call them.</extracomment>
        <translation>Przyciski Windows</translation>
    </message>
    <message>
        <source>Button lamps</source>
        <translation>Lampki przycisków</translation>
    </message>
    <message>
        <source>Input monitor messages</source>
        <translation>Komunikaty monitora wejść</translation>
    </message>
    <message>
        <source>Self Diagnostic</source>
        <translation>Autodiagnostyka</translation>
    </message>
    <message>
        <source>Run self-diagnostic</source>
        <translation>Uruchom autodiagnostykę</translation>
    </message>
    <message>
        <source>A input mode</source>
        <translation>Tryb wejścia A</translation>
    </message>
    <message>
        <source>Self-diagnostic reply</source>
        <translation>Odpowiedź autodiagnostyki</translation>
    </message>
    <message>
        <source>Rotary encoders </source>
        <extracomment>A frame&apos;s caption; the blank after it is the design&apos;s.</extracomment>
        <translation>Enkodery obrotowe </translation>
    </message>
    <message>
        <source>Rotary encoders</source>
        <translation>Enkodery obrotowe</translation>
    </message>
    <message>
        <source>Device details </source>
        <extracomment>A frame&apos;s caption; the blank after it is the design&apos;s.</extracomment>
        <translation>Dane urządzenia </translation>
    </message>
    <message>
        <source>Device details</source>
        <translation>Dane urządzenia</translation>
    </message>
    <message>
        <source>Self-diagnostic result</source>
        <translation>Wynik autodiagnostyki</translation>
    </message>
    <message>
        <source>&quot;A&quot; Input mode</source>
        <extracomment>The caption of the list of modes of the analogue input named &quot;A&quot; (a name, not a letter to translate). At most 1455 twips (97 pixels) wide.</extracomment>
        <translation>Wejście &quot;A&quot;</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Numer seryjny</translation>
    </message>
    <message>
        <source>Version</source>
        <extracomment>A caption of the device details: the board&apos;s version. At most 97 pixels wide.</extracomment>
        <translation>Wersja</translation>
    </message>
    <message>
        <source>Product</source>
        <extracomment>A caption of the device details: the board&apos;s product name. At most 81 pixels wide.</extracomment>
        <translation>Produkt</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <extracomment>A caption of the device details: who made the board. At most 81 pixels wide.</extracomment>
        <translation>Producent</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <extracomment>A caption of the device details, left of the list of boards: it must end before the list begins, 96 pixels from its start.</extracomment>
        <translation>Nr seryjny</translation>
    </message>
    <message>
        <source>Encoder %1</source>
        <extracomment>A screen reader&apos;s name for the encoder list of a pair of inputs, &quot;Encoder B1 + B2&quot;.</extracomment>
        <translation>Enkoder %1</translation>
    </message>
    <message>
        <source>Pulse length</source>
        <extracomment>The caption of the list of encoder pulse lengths (8 ms to 200 ms). At most 1335 twips (89 pixels) wide.</extracomment>
        <translation>Dł. impulsu</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Separator</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Przycisk %1</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button that starts the button test again. At most 52 pixels wide, with its margins.</extracomment>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Reset button test</source>
        <translation>Zacznij test przycisków od nowa</translation>
    </message>
    <message>
        <source>Copy result</source>
        <extracomment>A button that copies the button test&apos;s result. At most 81 pixels wide, with its margins.</extracomment>
        <translation>Kopiuj</translation>
    </message>
    <message>
        <source>Copy button test result</source>
        <translation>Kopiuj wynik testu przycisków</translation>
    </message>
    <message>
        <source>Press every input once: each press is counted and shown, however short, and inputs that bounce or are wired together are named.</source>
        <translation>Naciśnij każde wejście raz: każde naciśnięcie jest liczone i pokazywane, choćby najkrótsze, a wejścia, które drgają lub są ze sobą połączone, zostają wskazane.</translation>
    </message>
    <message>
        <source>Button test result</source>
        <translation>Wynik testu przycisków</translation>
    </message>
    <message>
        <source>Sending failed part-way: the board holds some of the settings, not all.</source>
        <translation>Wysyłanie przerwało się w połowie: płytka ma część ustawień, nie wszystkie.</translation>
    </message>
    <message>
        <source>Sent: </source>
        <translation>Wysłane: </translation>
    </message>
    <message>
        <source>Failed: </source>
        <translation>Nieudane: </translation>
    </message>
    <message>
        <source>Not sent: </source>
        <translation>Niewysłane: </translation>
    </message>
    <message>
        <source>Everything was sent, but the board gave no usable configuration reply to check it.</source>
        <translation>Wszystko wysłano, ale płytka nie dała użytecznej odpowiedzi konfiguracji, by to sprawdzić.</translation>
    </message>
    <message>
        <source>The board does not hold what was sent:</source>
        <translation>Płytka nie ma tego, co wysłano:</translation>
    </message>
    <message>
        <source>Encoders: %1
Pulse length: %2
&quot;A&quot; input: %3</source>
        <translation>Enkodery: %1
Długość impulsu: %2
Wejście &quot;A&quot;: %3</translation>
    </message>
    <message>
        <source>The board gave no usable configuration reply in %1 reads: %2.</source>
        <translation>Płytka nie dała użytecznej odpowiedzi konfiguracji w %1 odczytach: %2.</translation>
    </message>
    <message>
        <source>The board holds %1: choose one in its list first.</source>
        <translation>Płytka ma %1: najpierw wybierz wartość z listy.</translation>
    </message>
    <message>
        <source>No board is open: nothing was saved.</source>
        <translation>Żadna płytka nie jest otwarta: nic nie zapisano.</translation>
    </message>
    <message>
        <source> Nothing was written.</source>
        <translation> Nic nie zapisano.</translation>
    </message>
    <message>
        <source>The settings could not be saved: nothing was written.</source>
        <translation>Nie udało się zapisać ustawień: nic nie zapisano.</translation>
    </message>
    <message>
        <source>Saved the settings of %1 to %2.</source>
        <translation>Zapisano ustawienia %1 w %2.</translation>
    </message>
    <message>
        <source>No board is open: nothing was sent.</source>
        <translation>Żadna płytka nie jest otwarta: nic nie wysłano.</translation>
    </message>
    <message>
        <source>This is not a settings file the tool can load: nothing was sent.</source>
        <translation>To nie jest plik ustawień, który program może wczytać: nic nie wysłano.</translation>
    </message>
    <message>
        <source>This file was saved from another board:
%1

Load its settings onto %2 anyway?</source>
        <translation>Ten plik zapisano z innej płytki:
%1

Mimo to wczytać jego ustawienia na %2?</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>Nic nie wysłano.</translation>
    </message>
    <message>
        <source>The board went away: nothing was sent.</source>
        <translation>Płytka zniknęła: nic nie wysłano.</translation>
    </message>
    <message>
        <source>Loaded %1 onto %2: every setting was sent, read back and holds.</source>
        <translation>Wczytano %1 na %2: każde ustawienie wysłano, odczytano ponownie i obowiązuje.</translation>
    </message>
    <message>
        <source>No board is open: nothing was copied.</source>
        <translation>Żadna płytka nie jest otwarta: nic nie skopiowano.</translation>
    </message>
    <message>
        <source> Nothing was copied.</source>
        <translation> Nic nie skopiowano.</translation>
    </message>
    <message>
        <source>%1: could not be opened: %2</source>
        <translation>%1: nie udało się otworzyć: %2</translation>
    </message>
    <message>
        <source>copied: sent, read back and holds.</source>
        <translation>skopiowano: wysłane, odczytane i obowiązuje.</translation>
    </message>
    <message>
        <source>%1: cannot be opened: %2</source>
        <translation>%1: nie można otworzyć: %2</translation>
    </message>
    <message>
        <source>No other board is attached: nothing was copied.</source>
        <translation>Nie podłączono innej płytki: nic nie skopiowano.</translation>
    </message>
    <message>
        <source>Copied the settings of %1 to %2 of %3 other boards.</source>
        <translation>Skopiowano ustawienia %1 na %2 z %3 innych płytek.</translation>
    </message>
</context>
<context>
    <name>tamo::app::VirtualBoardPanel</name>
    <message>
        <source>Virtual boards</source>
        <translation>Wirtualne płytki</translation>
    </message>
    <message>
        <source>Buttons (click to press, click again to release)</source>
        <translation>Przyciski (kliknij, by wcisnąć, kliknij ponownie, by puścić)</translation>
    </message>
    <message>
        <source>Unplug</source>
        <translation>Odłącz</translation>
    </message>
    <message>
        <source>USB</source>
        <extracomment>The row of the virtual board&apos;s plug: the bus it hangs on.</extracomment>
        <translation>USB</translation>
    </message>
    <message>
        <source>0 (passes)</source>
        <extracomment>The self-test answer 0, which means the board passed its self-test.</extracomment>
        <translation>0 (zaliczony)</translation>
    </message>
    <message>
        <source>Self-test answer</source>
        <translation>Odpowiedź autotestu</translation>
    </message>
    <message>
        <source>stream a report every 10 ms</source>
        <translation>wysyłaj raport co 10 ms</translation>
    </message>
    <message>
        <source>Input reports</source>
        <translation>Raporty wejścia</translation>
    </message>
    <message>
        <source>Settings held</source>
        <translation>Zapisane ustawienia</translation>
    </message>
    <message>
        <source>%1
%2
Pulse length: %3
&quot;A&quot; input: %4</source>
        <translation>%1
%2
Długość impulsu: %3
Wejście &quot;A&quot;: %4</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>The pulse length a board holds when it holds none of the list&apos;s.</extracomment>
        <translation>brak</translation>
    </message>
    <message>
        <source>Plug in</source>
        <translation>Podłącz</translation>
    </message>
</context>
</TS>
