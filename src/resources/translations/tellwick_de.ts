<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Tellwick</source>
        <translation>Über Tellwick</translation>
    </message>
    <message>
        <source>A messenger for the computers of a local network</source>
        <translation>Ein Messenger für die Computer eines lokalen Netzwerks</translation>
    </message>
    <message>
        <source>System Resources</source>
        <translation>Systemressourcen</translation>
    </message>
    <message>
        <source>Physical memory:</source>
        <translation>Arbeitsspeicher:</translation>
    </message>
    <message>
        <source>Free disk space:</source>
        <translation>Freier Speicherplatz:</translation>
    </message>
    <message>
        <source>Contact Points</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <source>Internet mail:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>Web site:</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source>Postal mail:</source>
        <translation>Postanschrift:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version %1 (Build: %2)</source>
        <translation>Version %1 (Build: %2)</translation>
    </message>
</context>
<context>
    <name>CAlertDlg</name>
    <message>
        <source>Alert</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Schlüsselwörter</translation>
    </message>
    <message>
        <source>Enter keywords that will trigger the alert.</source>
        <translation>Geben Sie die Schlüsselwörter ein, die den Alarm auslösen.</translation>
    </message>
    <message>
        <source>Keyword(s):</source>
        <translation>Schlüsselwörter:</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>The task determines what actions will occur when an alert is triggered.</source>
        <translation>Die Aufgabe legt fest, was geschieht, wenn der Alarm ausgelöst wird.</translation>
    </message>
    <message>
        <source>&amp;Task</source>
        <translation>&amp;Aufgabe</translation>
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
        <source>Keyword</source>
        <translation>Schlüsselwort</translation>
    </message>
</context>
<context>
    <name>CAlertPage</name>
    <message>
        <source>Alerts</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>Alerts allow you to configure actions that will occur when messages are received that contain specified keywords.</source>
        <translation>Mit Alarmen legen Sie fest, was geschieht, wenn eine Nachricht mit bestimmten Schlüsselwörtern eintrifft.</translation>
    </message>
    <message>
        <source>Alert(s):</source>
        <translation>Alarme:</translation>
    </message>
    <message>
        <source>Enable alerts</source>
        <translation>Alarme aktivieren</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>CCommandLine</name>
    <message>
        <source>Shows the one-line messages that computers of the local network send to this one, and
sends messages to them. Only one copy runs per user: starting it again brings the running
copy&apos;s window to the front. See tellwick(1).</source>
        <translation>Zeigt die einzeiligen Nachrichten, die Computer des lokalen Netzwerks an diesen senden,
und sendet Nachrichten an sie. Je Benutzer läuft nur eine Kopie: ein erneuter Start holt
das Fenster der laufenden Kopie nach vorn. Siehe tellwick(1).</translation>
    </message>
    <message>
        <source>Shows this help and ends.</source>
        <translation>Zeigt diese Hilfe und endet.</translation>
    </message>
    <message>
        <source>Shows the version and ends.</source>
        <translation>Zeigt die Version und endet.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
    <message>
        <source>Try &apos;tellwick --help&apos; for more information.</source>
        <translation>„tellwick --help“ gibt weitere Informationen.</translation>
    </message>
    <message>
        <source>needs a desktop session (neither DISPLAY nor WAYLAND_DISPLAY is set); tellwick-send sends messages without one.</source>
        <translation>braucht eine Desktop-Sitzung (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt); tellwick-send sendet Nachrichten auch ohne.</translation>
    </message>
</context>
<context>
    <name>CCreditsDlg</name>
    <message>
        <source>Credits</source>
        <translation>Mitwirkende</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Could not find bitmap resource &quot;%1&quot;. Be sure to assign the bitmap a QUOTED resource name</source>
        <translation>Die Bildressource „%1“ wurde nicht gefunden. Das Bild muss einen Ressourcennamen IN ANFÜHRUNGSZEICHEN haben</translation>
    </message>
</context>
<context>
    <name>CDesktopNotification</name>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
</context>
<context>
    <name>CFindComputerDlg</name>
    <message>
        <source>Find computer</source>
        <translation>Computer suchen</translation>
    </message>
    <message>
        <source>Computers found on the network:</source>
        <translation>Im Netzwerk gefundene Computer:</translation>
    </message>
    <message>
        <source>C&amp;omputer:</source>
        <translation>&amp;Computer:</translation>
    </message>
    <message>
        <source>Runs Tellwick</source>
        <translation>Führt Tellwick aus</translation>
    </message>
    <message>
        <source>Network browsing is not available. Type the name of the computer instead.</source>
        <translation>Das Netzwerk kann nicht durchsucht werden. Geben Sie stattdessen den Namen des Computers ein.</translation>
    </message>
</context>
<context>
    <name>CGeneralPage</name>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>These options control how messages are displayed and the max number of messages that are stored.</source>
        <translation>Diese Einstellungen legen fest, wie Nachrichten angezeigt werden und wie viele höchstens aufbewahrt werden.</translation>
    </message>
    <message>
        <source>Show date and time on messages</source>
        <translation>Datum und Uhrzeit an Nachrichten anzeigen</translation>
    </message>
    <message>
        <source>Max lines:</source>
        <translation>Max. Zeilen:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Select options</source>
        <translation>Optionen wählen</translation>
    </message>
    <message>
        <source>Run Tellwick at startup</source>
        <translation>Tellwick beim Anmelden starten</translation>
    </message>
    <message>
        <source>Flash tray icon on new message</source>
        <translation>Bei neuer Nachricht Symbol blinken lassen</translation>
    </message>
    <message>
        <source>Make window visible on new message</source>
        <translation>Bei neuer Nachricht Fenster anzeigen</translation>
    </message>
    <message>
        <source>Log to file</source>
        <translation>In Datei protokollieren</translation>
    </message>
    <message>
        <source>Log file name:</source>
        <translation>Protokolldatei:</translation>
    </message>
    <message>
        <source>Browse for log file</source>
        <translation>Protokolldatei auswählen</translation>
    </message>
    <message>
        <source>Fast mark:</source>
        <translation>Schnellmarkierung:</translation>
    </message>
    <message>
        <source>Log Files (*.log);;All Files (*)</source>
        <translation>Protokolldateien (*.log);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Please enter a whole number of lines.</source>
        <translation>Bitte geben Sie eine ganze Zahl von Zeilen ein.</translation>
    </message>
</context>
<context>
    <name>CKeywordDlg</name>
    <message>
        <source>Keyword</source>
        <translation>Schlüsselwort</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CMessageReceiver</name>
    <message>
        <source>Not receiving: UDP port %1 is in use, most likely by another copy of Tellwick</source>
        <translation>Kein Empfang: UDP-Port %1 ist belegt, wahrscheinlich von einer anderen Kopie von Tellwick</translation>
    </message>
</context>
<context>
    <name>CMessageView</name>
    <message>
        <source>Messages</source>
        <translation>Nachrichten</translation>
    </message>
</context>
<context>
    <name>CSendMessageDlg</name>
    <message>
        <source>Send Message</source>
        <translation>Nachricht senden</translation>
    </message>
    <message>
        <source>Send a message to any computer on the network running Tellwick.</source>
        <translation>Senden Sie eine Nachricht an einen Computer im Netzwerk, auf dem Tellwick läuft.</translation>
    </message>
    <message>
        <source>C&amp;omputer:</source>
        <translation>&amp;Computer:</translation>
    </message>
    <message>
        <source>Find computer</source>
        <translation>Computer suchen</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>&amp;Nachricht:</translation>
    </message>
    <message>
        <source>&amp;Color</source>
        <translation>&amp;Farbe</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CTaskDialog</name>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>&amp;Program:</source>
        <translation>&amp;Programm:</translation>
    </message>
    <message>
        <source>&amp;Arguments:</source>
        <translation>A&amp;rgumente:</translation>
    </message>
    <message>
        <source>The program is started on its own; the message is not passed to it.</source>
        <translation>Das Programm wird für sich gestartet; die Nachricht wird ihm nicht übergeben.</translation>
    </message>
    <message>
        <source>Choose Program</source>
        <translation>Programm auswählen</translation>
    </message>
</context>
<context>
    <name>CreditLines</name>
    <message>
        <source>A small desktop messenger<byte value="xc"/></source>
        <translation>Ein kleiner Desktop-Messenger<byte value="xc"/></translation>
    </message>
    <message>
        <source>for the computers of a local network<byte value="xc"/></source>
        <translation>für die Computer eines lokalen Netzwerks<byte value="xc"/></translation>
    </message>
    <message>
        <source>Written in C++20 with Qt 6<byte value="xc"/></source>
        <translation>Geschrieben in C++20 mit Qt 6<byte value="xc"/></translation>
    </message>
    <message>
        <source>Engineering 
</source>
        <translation>Entwicklung 
</translation>
    </message>
    <message>
        <source>The Tellwick team<byte value="xc"/></source>
        <translation>Das Tellwick-Team<byte value="xc"/></translation>
    </message>
    <message>
        <source>Wire format, message view and alerts<byte value="xc"/></source>
        <translation>Datenformat, Nachrichtenansicht und Alarme<byte value="xc"/></translation>
    </message>
    <message>
        <source>Settings store, tray icon and dialogs<byte value="xc"/></source>
        <translation>Einstellungen, Symbol und Dialoge<byte value="xc"/></translation>
    </message>
    <message>
        <source>Documentation 
</source>
        <translation>Dokumentation 
</translation>
    </message>
    <message>
        <source>Beta Testers 
</source>
        <translation>Betatester 
</translation>
    </message>
    <message>
        <source>Everyone who ran the early builds<byte value="xc"/></source>
        <translation>Alle, die die frühen Versionen<byte value="xc"/></translation>
    </message>
    <message>
        <source>on their own local network<byte value="xc"/></source>
        <translation>in ihrem eigenen Netzwerk ausprobiert<byte value="xc"/></translation>
    </message>
    <message>
        <source>and sent word of what went wrong<byte value="xc"/></source>
        <translation>und Fehler gemeldet haben<byte value="xc"/></translation>
    </message>
    <message>
        <source>Thank you<byte value="xc"/></source>
        <translation>Vielen Dank<byte value="xc"/></translation>
    </message>
    <message>
        <source>Contact Points 
</source>
        <translation>Kontakt 
</translation>
    </message>
</context>
<context>
    <name>MenuResource</name>
    <message>
        <source>&amp;Black</source>
        <translation>&amp;Schwarz</translation>
    </message>
    <message>
        <source>&amp;Red</source>
        <translation>&amp;Rot</translation>
    </message>
    <message>
        <source>&amp;Green</source>
        <translation>&amp;Grün</translation>
    </message>
    <message>
        <source>B&amp;lue</source>
        <translation>&amp;Blau</translation>
    </message>
    <message>
        <source>&amp;Yellow</source>
        <translation>G&amp;elb</translation>
    </message>
    <message>
        <source>&amp;Orange</source>
        <translation>&amp;Orange</translation>
    </message>
    <message>
        <source>&amp;Purple</source>
        <translation>&amp;Violett</translation>
    </message>
    <message>
        <source>Brow&amp;n</source>
        <translation>Brau&amp;n</translation>
    </message>
    <message>
        <source>&amp;White</source>
        <translation>&amp;Weiß</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>&amp;Always On Top</source>
        <translation>&amp;Immer im Vordergrund</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Schrift...</translation>
    </message>
    <message>
        <source>Fast &amp;Mark	Ctrl+M</source>
        <translation>Schnell&amp;markierung	Strg+M</translation>
    </message>
    <message>
        <source>&amp;Clear	Alt+C</source>
        <translation>&amp;Leeren	Alt+C</translation>
    </message>
    <message>
        <source>Send Message...	Ctrl-S</source>
        <translation>Nachricht senden...	Strg-S</translation>
    </message>
    <message>
        <source>&amp;Properties	Ctrl+P</source>
        <translation>&amp;Eigenschaften	Strg+P</translation>
    </message>
    <message>
        <source>Help Topics</source>
        <translation>Hilfethemen</translation>
    </message>
    <message>
        <source>Search...</source>
        <translation>Suchen...</translation>
    </message>
    <message>
        <source>Using Help</source>
        <translation>Hilfe verwenden</translation>
    </message>
    <message>
        <source>&amp;About Tellwick...</source>
        <translation>&amp;Über Tellwick...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>Send Message...</source>
        <translation>Nachricht senden...</translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation>&amp;Eigenschaften...</translation>
    </message>
    <message>
        <source>&amp;Hide	Ctrl+H</source>
        <translation>&amp;Ausblenden	Strg+H</translation>
    </message>
    <message>
        <source>&amp;Send Message	Ctrl+S</source>
        <translation>&amp;Nachricht senden	Strg+S</translation>
    </message>
</context>
<context>
    <name>SendCommand</name>
    <message>
        <source>Usage: tellwick-send COMPUTER MESSAGE...
       tellwick-send --help | --version
Sends MESSAGE, its words joined by blanks, as one line to Tellwick on COMPUTER.
Options are read before COMPUTER only: the words of MESSAGE are sent as they are.

COMPUTER  a computer name or address; &quot;localhost&quot; or &quot;&quot; is this computer,
          &quot;*&quot; every computer of the local network. A name as Tellwick&apos;s find dialog
          gives it, such as desk-7.local:20345, reaches a copy on the port it announces.
MESSAGE   text with optional colour tags: &lt;w&gt; white, &lt;b&gt; black, &lt;l&gt; blue, &lt;g&gt; green,
          &lt;r&gt; red, &lt;n&gt; brown, &lt;p&gt; purple, &lt;o&gt; orange, &lt;y&gt; yellow; &lt;w,r&gt; is white on red.
          A MESSAGE of &quot;-&quot; is read from standard input: every line is sent as a
          message of its own, in order.

A message longer than Tellwick shows (1999 bytes) is cut there, between two characters.
Messages are not acknowledged: success means they were written, not that they were read.
Environment: TELLWICK_MAILSLOT_PORT, the UDP port of the inboxes (default 10138);
TELLWICK_TRANSPORT, &quot;udp&quot; or &quot;netbios&quot; (Windows copies), else the stored choice.
Exit status: 0 written, 1 not written, 2 wrong arguments.
See tellwick-send(1).
</source>
        <translation>Aufruf: tellwick-send COMPUTER NACHRICHT...
        tellwick-send --help | --version
Sendet NACHRICHT, ihre Wörter durch Leerzeichen verbunden, als eine Zeile an
Tellwick auf COMPUTER. Optionen werden nur vor COMPUTER gelesen: die Wörter der
NACHRICHT werden gesendet, wie sie sind.

COMPUTER   ein Computername oder eine Adresse; &quot;localhost&quot; oder &quot;&quot; ist dieser
           Computer, &quot;*&quot; jeder Computer des lokalen Netzwerks. Ein Name, wie ihn
           Tellwicks Suchdialog angibt, etwa desk-7.local:20345, erreicht eine Kopie
           auf dem Port, den sie bekannt gibt.
NACHRICHT  Text mit optionalen Farbmarken: &lt;w&gt; weiß, &lt;b&gt; schwarz, &lt;l&gt; blau,
           &lt;g&gt; grün, &lt;r&gt; rot, &lt;n&gt; braun, &lt;p&gt; violett, &lt;o&gt; orange, &lt;y&gt; gelb;
           &lt;w,r&gt; ist weiß auf rot. Eine NACHRICHT &quot;-&quot; wird von der Standardeingabe
           gelesen: jede Zeile wird als eigene Nachricht gesendet, der Reihe nach.

Eine Nachricht, die länger ist, als Tellwick anzeigt (1999 Byte), wird dort
gekürzt, zwischen zwei Zeichen. Nachrichten werden nicht bestätigt: Erfolg heißt,
dass sie geschrieben, nicht dass sie gelesen wurden.
Umgebung: TELLWICK_MAILSLOT_PORT, der UDP-Port der Postfächer (Vorgabe 10138);
TELLWICK_TRANSPORT, &quot;udp&quot; oder &quot;netbios&quot; (Windows-Kopien), sonst die gespeicherte Wahl.
Rückgabewert: 0 geschrieben, 1 nicht geschrieben, 2 falsche Argumente.
Siehe tellwick-send(1).
</translation>
    </message>
    <message>
        <source>Try &apos;tellwick-send --help&apos; for more information.</source>
        <translation>„tellwick-send --help“ gibt weitere Informationen.</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Tellwick Properties</source>
        <translation>Tellwick – Eigenschaften</translation>
    </message>
    <message>
        <source>%lu KB</source>
        <translation>%lu KB</translation>
    </message>
    <message>
        <source>Windows sockets initialization failed.</source>
        <translation>Die Netzwerkschnittstelle konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>%lu KB Free on %s</source>
        <translation>%lu KB frei auf %s</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>Nicht verfügbar</translation>
    </message>
    <message>
        <source>Test (F9)</source>
        <translation>Testen (F9)</translation>
    </message>
    <message>
        <source>Add (Insert)</source>
        <translation>Hinzufügen (Einfg)</translation>
    </message>
    <message>
        <source>Properties (F2)</source>
        <translation>Eigenschaften (F2)</translation>
    </message>
    <message>
        <source>Delete (Delete)</source>
        <translation>Löschen (Entf)</translation>
    </message>
    <message>
        <source>Show Tellwick on top of all other windows</source>
        <translation>Tellwick vor allen anderen Fenstern anzeigen</translation>
    </message>
    <message>
        <source>Select the font used for text display</source>
        <translation>Schrift für die Textanzeige wählen</translation>
    </message>
    <message>
        <source>Clears the current display
Clear</source>
        <translation>Leert die aktuelle Anzeige
Leeren</translation>
    </message>
    <message>
        <source>Set the properties for Tellwick
Properties</source>
        <translation>Eigenschaften von Tellwick festlegen
Eigenschaften</translation>
    </message>
    <message>
        <source>Add a mark to the current display
Fast Mark</source>
        <translation>Fügt der Anzeige eine Markierung hinzu
Schnellmarkierung</translation>
    </message>
    <message>
        <source>Error reading mailslot %u, 0x%08X</source>
        <translation>Fehler beim Lesen des Postfachs %u, 0x%08X</translation>
    </message>
    <message>
        <source>Unable to create mailslot</source>
        <translation>Postfach kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Can&apos;t write to mailslot</source>
        <translation>Schreiben in das Postfach nicht möglich</translation>
    </message>
    <message>
        <source>Alert task starts skipped, still running: %d</source>
        <translation>Alarmaufgaben nicht gestartet, laufen noch: %d</translation>
    </message>
    <message>
        <source>Messages lost, arriving faster than taken in: %llu</source>
        <translation>Nachrichten verloren, schneller eingetroffen als angenommen: %llu</translation>
    </message>
    <message>
        <source>Alert task starts failed, program missing: %d</source>
        <translation>Alarmaufgaben nicht gestartet, Programm fehlt: %d</translation>
    </message>
    <message>
        <source>Browse for log file</source>
        <translation>Protokolldatei auswählen</translation>
    </message>
    <message>
        <source>Send a message to another computer running Tellwick
Send Message</source>
        <translation>Nachricht an einen anderen Computer mit Tellwick senden
Nachricht senden</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
</context>
</TS>
