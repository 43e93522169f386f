<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>English</source>
        <extracomment>The name of this translation&apos;s language as its speakers write it (&quot;Deutsch&quot;, &quot;Français&quot;), shown in Help &gt; About.</extracomment>
        <translatorcomment>Machine-made first translation, not yet reviewed by a native speaker: please check every text against the window (docs/ has screenshots) and delete this note when you have.</translatorcomment>
        <translation>Español</translation>
    </message>
    <message>
        <source>Copyright © 2026 The tamo-config developers.&lt;br&gt;&lt;br&gt;This program is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License as published by the Free Software Foundation, either version 3 of the License, or (at your option) any later version.&lt;br&gt;&lt;br&gt;This program is distributed in the hope that it will be useful, but &lt;b&gt;WITHOUT ANY WARRANTY&lt;/b&gt;; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License (Help &amp;gt; Licence) for more details.&lt;br&gt;&lt;br&gt;The Windows download also carries Qt, under the GNU Lesser General Public License version 3; its licence texts come with it.</source>
        <translation>Copyright © 2026 Los desarrolladores de tamo-config.&lt;br&gt;&lt;br&gt;Este programa es software libre: puede redistribuirlo y/o modificarlo bajo los términos de la Licencia Pública General de GNU (GNU General Public License) publicada por la Free Software Foundation, ya sea la versión 3 de la licencia o (a su elección) cualquier versión posterior.&lt;br&gt;&lt;br&gt;Este programa se distribuye con la esperanza de que sea útil, pero &lt;b&gt;SIN NINGUNA GARANTÍA&lt;/b&gt;; ni siquiera la garantía implícita de COMERCIABILIDAD o IDONEIDAD PARA UN PROPÓSITO PARTICULAR. Consulte la GNU General Public License (Ayuda &amp;gt; Licencia) para más detalles.&lt;br&gt;&lt;br&gt;La descarga para Windows también incluye Qt, bajo la GNU Lesser General Public License versión 3; sus textos de licencia la acompañan.</translation>
    </message>
    <message>
        <source>About tamo-config</source>
        <translation>Acerca de tamo-config</translation>
    </message>
    <message>
        <source>Configure and test Velbrin button-box controller boards.</source>
        <translation>Configurar y probar placas controladoras Velbrin para button boxes.</translation>
    </message>
    <message>
        <source>Language: %1</source>
        <extracomment>Which language the window is shown in: &quot;Language: Deutsch&quot;.</extracomment>
        <translation>Idioma: %1</translation>
    </message>
    <message>
        <source>Licence notice</source>
        <translation>Aviso de licencia</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Detalles</translation>
    </message>
    <message>
        <source>&amp;Copy details</source>
        <translation>&amp;Copiar detalles</translation>
    </message>
    <message>
        <source>&amp;Licence...</source>
        <translation>&amp;Licencia...</translation>
    </message>
    <message>
        <source>The licence text is missing from this build: see https://www.gnu.org/licenses/gpl-3.0.txt</source>
        <translation>Falta el texto de la licencia en esta compilación: vea https://www.gnu.org/licenses/gpl-3.0.txt</translation>
    </message>
    <message>
        <source>Licence: GNU General Public License, version 3</source>
        <translation>Licencia: GNU General Public License, versión 3</translation>
    </message>
    <message>
        <source>Licence text</source>
        <translation>Texto de la licencia</translation>
    </message>
</context>
<context>
    <name>LampTexts</name>
    <message>
        <source>pressed</source>
        <extracomment>What a screen reader says of a button&apos;s lamp while the button is held.</extracomment>
        <translation>pulsado</translation>
    </message>
    <message>
        <source>released</source>
        <translation>suelto</translation>
    </message>
</context>
<context>
    <name>SettingTexts</name>
    <message>
        <source>off</source>
        <extracomment>An encoder list&apos;s item: the pair of inputs works as two plain buttons.</extracomment>
        <translation>no</translation>
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
        <translation>Potenciómetro</translation>
    </message>
    <message>
        <source>Rotary Switch, Pulsed</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose every position sends one pulse.</extracomment>
        <translation>Selector rotativo, pulso</translation>
    </message>
    <message>
        <source>Rotary Switch, Latched</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose position is held as a pressed button.</extracomment>
        <translation>Selector rotativo, fijo</translation>
    </message>
    <message>
        <source>Button 21</source>
        <extracomment>A mode of the &quot;A&quot; input: it acts as button number 21.</extracomment>
        <translation>Botón 21</translation>
    </message>
</context>
<context>
    <name>tamo::app::AppWindow</name>
    <message>
        <source>Save settings</source>
        <translation>Guardar ajustes</translation>
    </message>
    <message>
        <source>Load settings</source>
        <translation>Cargar ajustes</translation>
    </message>
    <message>
        <source>tamo settings (*.json)</source>
        <extracomment>File types in the file dialog; &quot;tamo&quot; is the command-line tool&apos;s name.</extracomment>
        <translation>Ajustes de tamo (*.json)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Board access</source>
        <translation>Acceso a la placa</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>&amp;Save settings...</source>
        <translation>&amp;Guardar ajustes...</translation>
    </message>
    <message>
        <source>&amp;Load settings...</source>
        <translation>&amp;Cargar ajustes...</translation>
    </message>
    <message>
        <source>&amp;Copy settings to other boards...</source>
        <translation>Co&amp;piar ajustes a otras placas...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Board</source>
        <extracomment>A menu: what is done on the open board.</extracomment>
        <translation>&amp;Placa</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Placa</translation>
    </message>
    <message>
        <source>&amp;Self-diagnostic</source>
        <translation>&amp;Autodiagnóstico</translation>
    </message>
    <message>
        <source>&amp;Button test</source>
        <translation>Prueba de &amp;botones</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>&amp;About tamo-config</source>
        <translation>&amp;Acerca de tamo-config</translation>
    </message>
    <message>
        <source>&amp;Licence</source>
        <translation>&amp;Licencia</translation>
    </message>
    <message>
        <source>Copy settings to other boards</source>
        <translation>Copiar ajustes a otras placas</translation>
    </message>
</context>
<context>
    <name>tamo::app::MainWindow</name>
    <message>
        <source>A board is attached at %1 but cannot be opened</source>
        <translation>Hay una placa conectada en %1, pero no se puede abrir</translation>
    </message>
    <message>
        <source>A board is attached at %1 (serial number %2) but cannot be opened</source>
        <translation>Hay una placa conectada en %1 (número de serie %2), pero no se puede abrir</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <extracomment>The reason a board cannot be opened follows the sentence above; it comes from the system and stays as the system words it.</extracomment>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source> Fix: %1</source>
        <translation> Solución: %1</translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n time, shortest gap %1</source>
        <translation>
            <numerusform>visto, rebotó %n vez, hueco mínimo %1</numerusform>
            <numerusform>visto, rebotó %n veces, hueco mínimo %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n times, shortest gap %1</source>
        <translation>
            <numerusform>visto, rebotó %n vez, hueco mínimo %1</numerusform>
            <numerusform>visto, rebotó %n veces, hueco mínimo %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n press</source>
        <translation>
            <numerusform>visto, %n pulsación</numerusform>
            <numerusform>visto, %n pulsaciones</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n presses</source>
        <translation>
            <numerusform>visto, %n pulsación</numerusform>
            <numerusform>visto, %n pulsaciones</numerusform>
        </translation>
    </message>
    <message>
        <source>not seen yet</source>
        <translation>aún no visto</translation>
    </message>
    <message>
        <source>End test</source>
        <extracomment>The button that started the button test, while it runs. At most 96 pixels wide.</extracomment>
        <translation>Terminar</translation>
    </message>
    <message>
        <source>Button test</source>
        <extracomment>A button that starts the button test. At most 96 pixels wide, with its margins.</extracomment>
        <translation>Test botones</translation>
    </message>
    <message>
        <source> (ended)</source>
        <translation> (terminada)</translation>
    </message>
    <message>
        <source>Board %1</source>
        <extracomment>The first line of a copied button test result: &quot;Board TB-000117, Tamo 32&quot;.</extracomment>
        <translation>Placa %1</translation>
    </message>
    <message>
        <source>Tamo - micro Velbrin</source>
        <extracomment>The window&apos;s title: the product word and the board family&apos;s name, kept as they are.</extracomment>
        <translation>Tamo - micro Velbrin</translation>
    </message>
    <message>
        <source>Reset to default settings</source>
        <translation>Ajustes de fábrica</translation>
    </message>
    <message>
        <source>Input value capabilities</source>
        <translation>Capacidades de los valores de entrada</translation>
    </message>
    <message>
        <source>HID capabilities</source>
        <translation>Capacidades HID</translation>
    </message>
    <message>
        <source>Windows buttons</source>
        <extracomment>The caption of the frame of button lamps: the buttons as the system&apos;s game controller settings call them.</extracomment>
        <translation>Botones de Windows</translation>
    </message>
    <message>
        <source>Button lamps</source>
        <translation>Luces de los botones</translation>
    </message>
    <message>
        <source>Input monitor messages</source>
        <translation>Mensajes del monitor de entradas</translation>
    </message>
    <message>
        <source>Self Diagnostic</source>
        <translation>Autodiagnóstico</translation>
    </message>
    <message>
        <source>Run self-diagnostic</source>
        <translation>Ejecutar autodiagnóstico</translation>
    </message>
    <message>
        <source>A input mode</source>
        <translation>Modo de la entrada A</translation>
    </message>
    <message>
        <source>Self-diagnostic reply</source>
        <translation>Respuesta del autodiagnóstico</translation>
    </message>
    <message>
        <source>Rotary encoders </source>
        <extracomment>A frame&apos;s caption; the blank after it is the design&apos;s.</extracomment>
        <translation>Encoders rotativos </translation>
    </message>
    <message>
        <source>Rotary encoders</source>
        <translation>Encoders rotativos</translation>
    </message>
    <message>
        <source>Device details </source>
        <extracomment>A frame&apos;s caption; the blank after it is the design&apos;s.</extracomment>
        <translation>Datos del dispositivo </translation>
    </message>
    <message>
        <source>Device details</source>
        <translation>Datos del dispositivo</translation>
    </message>
    <message>
        <source>Self-diagnostic result</source>
        <translation>Resultado del autodiagnóstico</translation>
    </message>
    <message>
        <source>&quot;A&quot; Input mode</source>
        <extracomment>The caption of the list of modes of the analogue input named &quot;A&quot; (a name, not a letter to translate). At most 1455 twips (97 pixels) wide.</extracomment>
        <translation>Entrada &quot;A&quot;</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Número de serie</translation>
    </message>
    <message>
        <source>Version</source>
        <extracomment>A caption of the device details: the board&apos;s version. At most 97 pixels wide.</extracomment>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Product</source>
        <extracomment>A caption of the device details: the board&apos;s product name. At most 81 pixels wide.</extracomment>
        <translation>Producto</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <extracomment>A caption of the device details: who made the board. At most 81 pixels wide.</extracomment>
        <translation>Fabricante</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <extracomment>A caption of the device details, left of the list of boards: it must end before the list begins, 96 pixels from its start.</extracomment>
        <translation>N.º de serie</translation>
    </message>
    <message>
        <source>Encoder %1</source>
        <extracomment>A screen reader&apos;s name for the encoder list of a pair of inputs, &quot;Encoder B1 + B2&quot;.</extracomment>
        <translation>Encoder %1</translation>
    </message>
    <message>
        <source>Pulse length</source>
        <extracomment>The caption of the list of encoder pulse lengths (8 ms to 200 ms). At most 1335 twips (89 pixels) wide.</extracomment>
        <translation>Duración pulso</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Separador</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Botón %1</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button that starts the button test again. At most 52 pixels wide, with its margins.</extracomment>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Reset button test</source>
        <translation>Reiniciar la prueba de botones</translation>
    </message>
    <message>
        <source>Copy result</source>
        <extracomment>A button that copies the button test&apos;s result. At most 81 pixels wide, with its margins.</extracomment>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Copy button test result</source>
        <translation>Copiar el resultado de la prueba de botones</translation>
    </message>
    <message>
        <source>Press every input once: each press is counted and shown, however short, and inputs that bounce or are wired together are named.</source>
        <translation>Pulse cada entrada una vez: cada pulsación se cuenta y se muestra, por breve que sea, y se señalan las entradas que rebotan o están unidas entre sí.</translation>
    </message>
    <message>
        <source>Button test result</source>
        <translation>Resultado de la prueba de botones</translation>
    </message>
    <message>
        <source>Sending failed part-way: the board holds some of the settings, not all.</source>
        <translation>El envío falló a medias: la placa guarda parte de los ajustes, no todos.</translation>
    </message>
    <message>
        <source>Sent: </source>
        <translation>Enviado: </translation>
    </message>
    <message>
        <source>Failed: </source>
        <translation>Falló: </translation>
    </message>
    <message>
        <source>Not sent: </source>
        <translation>No enviado: </translation>
    </message>
    <message>
        <source>Everything was sent, but the board gave no usable configuration reply to check it.</source>
        <translation>Se envió todo, pero la placa no dio una respuesta de configuración útil para comprobarlo.</translation>
    </message>
    <message>
        <source>The board does not hold what was sent:</source>
        <translation>La placa no guarda lo que se envió:</translation>
    </message>
    <message>
        <source>Encoders: %1
Pulse length: %2
&quot;A&quot; input: %3</source>
        <translation>Encoders: %1
Duración del pulso: %2
Entrada &quot;A&quot;: %3</translation>
    </message>
    <message>
        <source>The board gave no usable configuration reply in %1 reads: %2.</source>
        <translation>La placa no dio una respuesta de configuración útil en %1 lecturas: %2.</translation>
    </message>
    <message>
        <source>The board holds %1: choose one in its list first.</source>
        <translation>La placa guarda %1: elija primero un valor de su lista.</translation>
    </message>
    <message>
        <source>No board is open: nothing was saved.</source>
        <translation>No hay ninguna placa abierta: no se guardó nada.</translation>
    </message>
    <message>
        <source> Nothing was written.</source>
        <translation> No se escribió nada.</translation>
    </message>
    <message>
        <source>The settings could not be saved: nothing was written.</source>
        <translation>No se pudieron guardar los ajustes: no se escribió nada.</translation>
    </message>
    <message>
        <source>Saved the settings of %1 to %2.</source>
        <translation>Ajustes de %1 guardados en %2.</translation>
    </message>
    <message>
        <source>No board is open: nothing was sent.</source>
        <translation>No hay ninguna placa abierta: no se envió nada.</translation>
    </message>
    <message>
        <source>This is not a settings file the tool can load: nothing was sent.</source>
        <translation>No es un archivo de ajustes que la herramienta pueda cargar: no se envió nada.</translation>
    </message>
    <message>
        <source>This file was saved from another board:
%1

Load its settings onto %2 anyway?</source>
        <translation>Este archivo se guardó desde otra placa:
%1

¿Cargar igualmente sus ajustes en %2?</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>No se envió nada.</translation>
    </message>
    <message>
        <source>The board went away: nothing was sent.</source>
        <translation>La placa desapareció: no se envió nada.</translation>
    </message>
    <message>
        <source>Loaded %1 onto %2: every setting was sent, read back and holds.</source>
        <translation>%1 cargado en %2: cada ajuste se envió, se releyó y se mantiene.</translation>
    </message>
    <message>
        <source>No board is open: nothing was copied.</source>
        <translation>No hay ninguna placa abierta: no se copió nada.</translation>
    </message>
    <message>
        <source> Nothing was copied.</source>
        <translation> No se copió nada.</translation>
    </message>
    <message>
        <source>%1: could not be opened: %2</source>
        <translation>%1: no se pudo abrir: %2</translation>
    </message>
    <message>
        <source>copied: sent, read back and holds.</source>
        <translation>copiado: enviado, releído y se mantiene.</translation>
    </message>
    <message>
        <source>%1: cannot be opened: %2</source>
        <translation>%1: no se puede abrir: %2</translation>
    </message>
    <message>
        <source>No other board is attached: nothing was copied.</source>
        <translation>No hay otra placa conectada: no se copió nada.</translation>
    </message>
    <message>
        <source>Copied the settings of %1 to %2 of %3 other boards.</source>
        <translation>Ajustes de %1 copiados a %2 de %3 placas más.</translation>
    </message>
</context>
<context>
    <name>tamo::app::VirtualBoardPanel</name>
    <message>
        <source>Virtual boards</source>
        <translation>Placas virtuales</translation>
    </message>
    <message>
        <source>Buttons (click to press, click again to release)</source>
        <translation>Botones (clic para pulsar, otro clic para soltar)</translation>
    </message>
    <message>
        <source>Unplug</source>
        <translation>Desconectar</translation>
    </message>
    <message>
        <source>USB</source>
        <extracomment>The row of the virtual board&apos;s plug: the bus it hangs on.</extracomment>
        <translation>USB</translation>
    </message>
    <message>
        <source>0 (passes)</source>
        <extracomment>The self-test answer 0, which means the board passed its self-test.</extracomment>
        <translation>0 (correcto)</translation>
    </message>
    <message>
        <source>Self-test answer</source>
        <translation>Respuesta del autotest</translation>
    </message>
    <message>
        <source>stream a report every 10 ms</source>
        <translation>enviar un informe cada 10 ms</translation>
    </message>
    <message>
        <source>Input reports</source>
        <translation>Informes de entrada</translation>
    </message>
    <message>
        <source>Settings held</source>
        <translation>Ajustes guardados</translation>
    </message>
    <message>
        <source>%1
%2
Pulse length: %3
&quot;A&quot; input: %4</source>
        <translation>%1
%2
Duración del pulso: %3
Entrada &quot;A&quot;: %4</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>The pulse length a board holds when it holds none of the list&apos;s.</extracomment>
        <translation>ninguna</translation>
    </message>
    <message>
        <source>Plug in</source>
        <translation>Conectar</translation>
    </message>
</context>
</TS>
