<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>English</source>
        <extracomment>The name of this translation&apos;s language as its speakers write it (&quot;Deutsch&quot;, &quot;Français&quot;), shown in Help &gt; About.</extracomment>
        <translatorcomment>Machine-made first translation, not yet reviewed by a native speaker: please check every text against the window (docs/ has screenshots) and delete this note when you have.</translatorcomment>
        <translation>Português (Brasil)</translation>
    </message>
    <message>
        <source>Copyright © 2026 The tamo-config developers.&lt;br&gt;&lt;br&gt;This program is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License as published by the Free Software Foundation, either version 3 of the License, or (at your option) any later version.&lt;br&gt;&lt;br&gt;This program is distributed in the hope that it will be useful, but &lt;b&gt;WITHOUT ANY WARRANTY&lt;/b&gt;; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License (Help &amp;gt; Licence) for more details.&lt;br&gt;&lt;br&gt;The Windows download also carries Qt, under the GNU Lesser General Public License version 3; its licence texts come with it.</source>
        <translation>Copyright © 2026 Os desenvolvedores do tamo-config.&lt;br&gt;&lt;br&gt;Este programa é software livre: você pode redistribuí-lo e/ou modificá-lo sob os termos da Licença Pública Geral GNU (GNU General Public License) publicada pela Free Software Foundation, na versão 3 da licença ou (a seu critério) em qualquer versão posterior.&lt;br&gt;&lt;br&gt;Este programa é distribuído na esperança de que seja útil, mas &lt;b&gt;SEM NENHUMA GARANTIA&lt;/b&gt;; sem mesmo a garantia implícita de COMERCIALIZAÇÃO ou ADEQUAÇÃO A UM PROPÓSITO ESPECÍFICO. Veja a GNU General Public License (Ajuda &amp;gt; Licença) para mais detalhes.&lt;br&gt;&lt;br&gt;O download para Windows também traz o Qt, sob a GNU Lesser General Public License versão 3; seus textos de licença o acompanham.</translation>
    </message>
    <message>
        <source>About tamo-config</source>
        <translation>Sobre o tamo-config</translation>
    </message>
    <message>
        <source>Configure and test Velbrin button-box controller boards.</source>
        <translation>Configure e teste placas controladoras Velbrin para button boxes.</translation>
    </message>
    <message>
        <source>Language: %1</source>
        <extracomment>Which language the window is shown in: &quot;Language: Deutsch&quot;.</extracomment>
        <translation>Idioma: %1</translation>
    </message>
    <message>
        <source>Licence notice</source>
        <translation>Aviso de licença</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Detalhes</translation>
    </message>
    <message>
        <source>&amp;Copy details</source>
        <translation>&amp;Copiar detalhes</translation>
    </message>
    <message>
        <source>&amp;Licence...</source>
        <translation>&amp;Licença...</translation>
    </message>
    <message>
        <source>The licence text is missing from this build: see https://www.gnu.org/licenses/gpl-3.0.txt</source>
        <translation>O texto da licença está faltando nesta compilação: veja https://www.gnu.org/licenses/gpl-3.0.txt</translation>
    </message>
    <message>
        <source>Licence: GNU General Public License, version 3</source>
        <translation>Licença: GNU General Public License, versão 3</translation>
    </message>
    <message>
        <source>Licence text</source>
        <translation>Texto da licença</translation>
    </message>
</context>
<context>
    <name>LampTexts</name>
    <message>
        <source>pressed</source>
        <extracomment>What a screen reader says of a button&apos;s lamp while the button is held.</extracomment>
        <translation>pressionado</translation>
    </message>
    <message>
        <source>released</source>
        <translation>solto</translation>
    </message>
</context>
<context>
    <name>SettingTexts</name>
    <message>
        <source>off</source>
        <extracomment>An encoder list&apos;s item: the pair of inputs works as two plain buttons.</extracomment>
        <translation>desl.</translation>
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
        <translation>Potenciômetro</translation>
    </message>
    <message>
        <source>Rotary Switch, Pulsed</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose every position sends one pulse.</extracomment>
        <translation>Chave rotativa, pulso</translation>
    </message>
    <message>
        <source>Rotary Switch, Latched</source>
        <extracomment>A mode of the &quot;A&quot; input: a rotary switch whose position is held as a pressed button.</extracomment>
        <translation>Chave rotativa, fixa</translation>
    </message>
    <message>
        <source>Button 21</source>
        <extracomment>A mode of the &quot;A&quot; input: it acts as button number 21.</extracomment>
        <translation>Botão 21</translation>
    </message>
</context>
<context>
    <name>tamo::app::AppWindow</name>
    <message>
        <source>Save settings</source>
        <translation>Salvar configurações</translation>
    </message>
    <message>
        <source>Load settings</source>
        <translation>Carregar configurações</translation>
    </message>
    <message>
        <source>tamo settings (*.json)</source>
        <extracomment>File types in the file dialog; &quot;tamo&quot; is the command-line tool&apos;s name.</extracomment>
        <translation>Configurações do tamo (*.json)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos os arquivos (*)</translation>
    </message>
    <message>
        <source>Board access</source>
        <translation>Acesso à placa</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arquivo</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Arquivo</translation>
    </message>
    <message>
        <source>&amp;Save settings...</source>
        <translation>&amp;Salvar configurações...</translation>
    </message>
    <message>
        <source>&amp;Load settings...</source>
        <translation>&amp;Carregar configurações...</translation>
    </message>
    <message>
        <source>&amp;Copy settings to other boards...</source>
        <translation>C&amp;opiar configurações para outras placas...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>Sa&amp;ir</translation>
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
        <translation>Teste de &amp;botões</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aj&amp;uda</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <source>&amp;About tamo-config</source>
        <translation>&amp;Sobre o tamo-config</translation>
    </message>
    <message>
        <source>&amp;Licence</source>
        <translation>&amp;Licença</translation>
    </message>
    <message>
        <source>Copy settings to other boards</source>
        <translation>Copiar configurações para outras placas</translation>
    </message>
</context>
<context>
    <name>tamo::app::MainWindow</name>
    <message>
        <source>A board is attached at %1 but cannot be opened</source>
        <translation>Há uma placa conectada em %1, mas ela não pode ser aberta</translation>
    </message>
    <message>
        <source>A board is attached at %1 (serial number %2) but cannot be opened</source>
        <translation>Há uma placa conectada em %1 (número de série %2), mas ela não pode ser aberta</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <extracomment>The reason a board cannot be opened follows the sentence above; it comes from the system and stays as the system words it.</extracomment>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source> Fix: %1</source>
        <translation> Solução: %1</translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n time, shortest gap %1</source>
        <translation>
            <numerusform>visto, repicou %n vez, menor intervalo %1</numerusform>
            <numerusform>visto, repicou %n vezes, menor intervalo %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, chattered %n times, shortest gap %1</source>
        <translation>
            <numerusform>visto, repicou %n vez, menor intervalo %1</numerusform>
            <numerusform>visto, repicou %n vezes, menor intervalo %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n press</source>
        <translation>
            <numerusform>visto, %n toque</numerusform>
            <numerusform>visto, %n toques</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>seen, %n presses</source>
        <translation>
            <numerusform>visto, %n toque</numerusform>
            <numerusform>visto, %n toques</numerusform>
        </translation>
    </message>
    <message>
        <source>not seen yet</source>
        <translation>ainda não visto</translation>
    </message>
    <message>
        <source>End test</source>
        <extracomment>The button that started the button test, while it runs. At most 96 pixels wide.</extracomment>
        <translation>Encerrar</translation>
    </message>
    <message>
        <source>Button test</source>
        <extracomment>A button that starts the button test. At most 96 pixels wide, with its margins.</extracomment>
        <translation>Testar botões</translation>
    </message>
    <message>
        <source> (ended)</source>
        <translation> (encerrado)</translation>
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
        <translation>Restaurar padrões</translation>
    </message>
    <message>
        <source>Input value capabilities</source>
        <translation>Capacidades dos valores de entrada</translation>
    </message>
    <message>
        <source>HID capabilities</source>
        <translation>Capacidades HID</translation>
    </message>
    <message>
        <source>Windows buttons</source>
        <extracomment>The caption of the frame of button lamps: the buttons as the system&apos;s game controller settings call them.</extracomment>
        <translation>Botões do Windows</translation>
    </message>
    <message>
        <source>Button lamps</source>
        <translation>Luzes dos botões</translation>
    </message>
    <message>
        <source>Input monitor messages</source>
        <translation>Mensagens do monitor de entradas</translation>
    </message>
    <message>
        <source>Self Diagnostic</source>
        <translation>Autodiagnóstico</translation>
    </message>
    <message>
        <source>Run self-diagnostic</source>
        <translation>Executar autodiagnóstico</translation>
    </message>
    <message>
        <source>A input mode</source>
        <translation>Modo da entrada A</translation>
    </message>
    <message>
        <source>Self-diagnostic reply</source>
        <translation>Resposta do autodiagnóstico</translation>
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
        <translation>Dados do dispositivo </translation>
    </message>
    <message>
        <source>Device details</source>
        <translation>Dados do dispositivo</translation>
    </message>
    <message>
        <source>Self-diagnostic result</source>
        <translation>Resultado do autodiagnóstico</translation>
    </message>
    <message>
        <source>&quot;A&quot; Input mode</source>
        <extracomment>The caption of the list of modes of the analogue input named &quot;A&quot; (a name, not a letter to translate). At most 1455 twips (97 pixels) wide.</extracomment>
        <translation>Entrada &quot;A&quot;</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Número de série</translation>
    </message>
    <message>
        <source>Version</source>
        <extracomment>A caption of the device details: the board&apos;s version. At most 97 pixels wide.</extracomment>
        <translation>Versão</translation>
    </message>
    <message>
        <source>Product</source>
        <extracomment>A caption of the device details: the board&apos;s product name. At most 81 pixels wide.</extracomment>
        <translation>Produto</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <extracomment>A caption of the device details: who made the board. At most 81 pixels wide.</extracomment>
        <translation>Fabricante</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <extracomment>A caption of the device details, left of the list of boards: it must end before the list begins, 96 pixels from its start.</extracomment>
        <translation>N.º de série</translation>
    </message>
    <message>
        <source>Encoder %1</source>
        <extracomment>A screen reader&apos;s name for the encoder list of a pair of inputs, &quot;Encoder B1 + B2&quot;.</extracomment>
        <translation>Encoder %1</translation>
    </message>
    <message>
        <source>Pulse length</source>
        <extracomment>The caption of the list of encoder pulse lengths (8 ms to 200 ms). At most 1335 twips (89 pixels) wide.</extracomment>
        <translation>Duração pulso</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Separador</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Botão %1</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>A button that starts the button test again. At most 52 pixels wide, with its margins.</extracomment>
        <translation>Zerar</translation>
    </message>
    <message>
        <source>Reset button test</source>
        <translation>Recomeçar o teste de botões</translation>
    </message>
    <message>
        <source>Copy result</source>
        <extracomment>A button that copies the button test&apos;s result. At most 81 pixels wide, with its margins.</extracomment>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Copy button test result</source>
        <translation>Copiar o resultado do teste de botões</translation>
    </message>
    <message>
        <source>Press every input once: each press is counted and shown, however short, and inputs that bounce or are wired together are named.</source>
        <translation>Pressione cada entrada uma vez: cada toque é contado e mostrado, por mais curto que seja, e as entradas que repicam ou estão ligadas entre si são apontadas.</translation>
    </message>
    <message>
        <source>Button test result</source>
        <translation>Resultado do teste de botões</translation>
    </message>
    <message>
        <source>Sending failed part-way: the board holds some of the settings, not all.</source>
        <translation>O envio falhou no meio: a placa guarda parte das configurações, não todas.</translation>
    </message>
    <message>
        <source>Sent: </source>
        <translation>Enviado: </translation>
    </message>
    <message>
        <source>Failed: </source>
        <translation>Falhou: </translation>
    </message>
    <message>
        <source>Not sent: </source>
        <translation>Não enviado: </translation>
    </message>
    <message>
        <source>Everything was sent, but the board gave no usable configuration reply to check it.</source>
        <translation>Tudo foi enviado, mas a placa não deu uma resposta de configuração utilizável para conferir.</translation>
    </message>
    <message>
        <source>The board does not hold what was sent:</source>
        <translation>A placa não guarda o que foi enviado:</translation>
    </message>
    <message>
        <source>Encoders: %1
Pulse length: %2
&quot;A&quot; input: %3</source>
        <translation>Encoders: %1
Duração do pulso: %2
Entrada &quot;A&quot;: %3</translation>
    </message>
    <message>
        <source>The board gave no usable configuration reply in %1 reads: %2.</source>
        <translation>A placa não deu uma resposta de configuração utilizável em %1 leituras: %2.</translation>
    </message>
    <message>
        <source>The board holds %1: choose one in its list first.</source>
        <translation>A placa guarda %1: escolha antes um valor da lista.</translation>
    </message>
    <message>
        <source>No board is open: nothing was saved.</source>
        <translation>Nenhuma placa aberta: nada foi salvo.</translation>
    </message>
    <message>
        <source> Nothing was written.</source>
        <translation> Nada foi gravado.</translation>
    </message>
    <message>
        <source>The settings could not be saved: nothing was written.</source>
        <translation>Não foi possível salvar as configurações: nada foi gravado.</translation>
    </message>
    <message>
        <source>Saved the settings of %1 to %2.</source>
        <translation>Configurações de %1 salvas em %2.</translation>
    </message>
    <message>
        <source>No board is open: nothing was sent.</source>
        <translation>Nenhuma placa aberta: nada foi enviado.</translation>
    </message>
    <message>
        <source>This is not a settings file the tool can load: nothing was sent.</source>
        <translation>Este não é um arquivo de configurações que a ferramenta possa carregar: nada foi enviado.</translation>
    </message>
    <message>
        <source>This file was saved from another board:
%1

Load its settings onto %2 anyway?</source>
        <translation>Este arquivo foi salvo de outra placa:
%1

Carregar as configurações dele em %2 mesmo assim?</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>Nada foi enviado.</translation>
    </message>
    <message>
        <source>The board went away: nothing was sent.</source>
        <translation>A placa sumiu: nada foi enviado.</translation>
    </message>
    <message>
        <source>Loaded %1 onto %2: every setting was sent, read back and holds.</source>
        <translation>%1 carregado em %2: cada configuração foi enviada, relida e vale.</translation>
    </message>
    <message>
        <source>No board is open: nothing was copied.</source>
        <translation>Nenhuma placa aberta: nada foi copiado.</translation>
    </message>
    <message>
        <source> Nothing was copied.</source>
        <translation> Nada foi copiado.</translation>
    </message>
    <message>
        <source>%1: could not be opened: %2</source>
        <translation>%1: não pôde ser aberta: %2</translation>
    </message>
    <message>
        <source>copied: sent, read back and holds.</source>
        <translation>copiado: enviado, relido e vale.</translation>
    </message>
    <message>
        <source>%1: cannot be opened: %2</source>
        <translation>%1: não pode ser aberta: %2</translation>
    </message>
    <message>
        <source>No other board is attached: nothing was copied.</source>
        <translation>Nenhuma outra placa conectada: nada foi copiado.</translation>
    </message>
    <message>
        <source>Copied the settings of %1 to %2 of %3 other boards.</source>
        <translation>Configurações de %1 copiadas para %2 de %3 outras placas.</translation>
    </message>
</context>
<context>
    <name>tamo::app::VirtualBoardPanel</name>
    <message>
        <source>Virtual boards</source>
        <translation>Placas virtuais</translation>
    </message>
    <message>
        <source>Buttons (click to press, click again to release)</source>
        <translation>Botões (clique para pressionar, clique de novo para soltar)</translation>
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
        <translation>0 (aprovado)</translation>
    </message>
    <message>
        <source>Self-test answer</source>
        <translation>Resposta do autoteste</translation>
    </message>
    <message>
        <source>stream a report every 10 ms</source>
        <translation>enviar um relatório a cada 10 ms</translation>
    </message>
    <message>
        <source>Input reports</source>
        <translation>Relatórios de entrada</translation>
    </message>
    <message>
        <source>Settings held</source>
        <translation>Configurações guardadas</translation>
    </message>
    <message>
        <source>%1
%2
Pulse length: %3
&quot;A&quot; input: %4</source>
        <translation>%1
%2
Duração do pulso: %3
Entrada &quot;A&quot;: %4</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>The pulse length a board holds when it holds none of the list&apos;s.</extracomment>
        <translation>nenhuma</translation>
    </message>
    <message>
        <source>Plug in</source>
        <translation>Conectar</translation>
    </message>
</context>
</TS>
