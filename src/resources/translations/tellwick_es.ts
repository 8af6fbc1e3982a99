<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Tellwick</source>
        <translation>Acerca de Tellwick</translation>
    </message>
    <message>
        <source>A messenger for the computers of a local network</source>
        <translation>Un mensajero para los equipos de una red local</translation>
    </message>
    <message>
        <source>System Resources</source>
        <translation>Recursos del sistema</translation>
    </message>
    <message>
        <source>Physical memory:</source>
        <translation>Memoria física:</translation>
    </message>
    <message>
        <source>Free disk space:</source>
        <translation>Espacio libre en disco:</translation>
    </message>
    <message>
        <source>Contact Points</source>
        <translation>Contacto</translation>
    </message>
    <message>
        <source>Internet mail:</source>
        <translation>Correo electrónico:</translation>
    </message>
    <message>
        <source>Web site:</source>
        <translation>Sitio web:</translation>
    </message>
    <message>
        <source>Postal mail:</source>
        <translation>Dirección postal:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Version %1 (Build: %2)</source>
        <translation>Versión %1 (compilación: %2)</translation>
    </message>
</context>
<context>
    <name>CAlertDlg</name>
    <message>
        <source>Alert</source>
        <translation>Alerta</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Descripción:</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Activa</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Palabras clave</translation>
    </message>
    <message>
        <source>Enter keywords that will trigger the alert.</source>
        <translation>Introduzca las palabras clave que activan la alerta.</translation>
    </message>
    <message>
        <source>Keyword(s):</source>
        <translation>Palabras clave:</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tarea</translation>
    </message>
    <message>
        <source>The task determines what actions will occur when an alert is triggered.</source>
        <translation>La tarea determina qué ocurre cuando se activa la alerta.</translation>
    </message>
    <message>
        <source>&amp;Task</source>
        <translation>&amp;Tarea</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Keyword</source>
        <translation>Palabra clave</translation>
    </message>
</context>
<context>
    <name>CAlertPage</name>
    <message>
        <source>Alerts</source>
        <translation>Alertas</translation>
    </message>
    <message>
        <source>Alerts allow you to configure actions that will occur when messages are received that contain specified keywords.</source>
        <translation>Las alertas definen qué ocurre al recibir un mensaje que contiene ciertas palabras clave.</translation>
    </message>
    <message>
        <source>Alert(s):</source>
        <translation>Alertas:</translation>
    </message>
    <message>
        <source>Enable alerts</source>
        <translation>Activar las alertas</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tarea</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Activa</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguna</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>CCommandLine</name>
    <message>
        <source>Shows the one-line messages that computers of the local network send to this one, and
sends messages to them. Only one copy runs per user: starting it again brings the running
copy&apos;s window to the front. See tellwick(1).</source>
        <translation>Muestra los mensajes de una línea que los equipos de la red local envían a este, y les
envía mensajes. Solo se ejecuta una copia por usuario: iniciarla de nuevo trae al frente
la ventana de la copia en ejecución. Véase tellwick(1).</translation>
    </message>
    <message>
        <source>Shows this help and ends.</source>
        <translation>Muestra esta ayuda y termina.</translation>
    </message>
    <message>
        <source>Shows the version and ends.</source>
        <translation>Muestra la versión y termina.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumento inesperado «%1».</translation>
    </message>
    <message>
        <source>Try &apos;tellwick --help&apos; for more information.</source>
        <translation>Pruebe «tellwick --help» para más información.</translation>
    </message>
    <message>
        <source>needs a desktop session (neither DISPLAY nor WAYLAND_DISPLAY is set); tellwick-send sends messages without one.</source>
        <translation>necesita una sesión de escritorio (no está definida ni DISPLAY ni WAYLAND_DISPLAY); tellwick-send envía mensajes sin ella.</translation>
    </message>
</context>
<context>
    <name>CCreditsDlg</name>
    <message>
        <source>Credits</source>
        <translation>Créditos</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Could not find bitmap resource &quot;%1&quot;. Be sure to assign the bitmap a QUOTED resource name</source>
        <translation>No se encontró el recurso de imagen «%1». Asegúrese de dar a la imagen un nombre de recurso ENTRE COMILLAS</translation>
    </message>
</context>
<context>
    <name>CDesktopNotification</name>
    <message>
        <source>Show</source>
        <translation>Mostrar</translation>
    </message>
</context>
<context>
    <name>CFindComputerDlg</name>
    <message>
        <source>Find computer</source>
        <translation>Buscar equipo</translation>
    </message>
    <message>
        <source>Computers found on the network:</source>
        <translation>Equipos encontrados en la red:</translation>
    </message>
    <message>
        <source>C&amp;omputer:</source>
        <translation>&amp;Equipo:</translation>
    </message>
    <message>
        <source>Runs Tellwick</source>
        <translation>Ejecuta Tellwick</translation>
    </message>
    <message>
        <source>Network browsing is not available. Type the name of the computer instead.</source>
        <translation>No se puede explorar la red. Escriba en su lugar el nombre del equipo.</translation>
    </message>
</context>
<context>
    <name>CGeneralPage</name>
    <message>
        <source>Display</source>
        <translation>Visualización</translation>
    </message>
    <message>
        <source>These options control how messages are displayed and the max number of messages that are stored.</source>
        <translation>Estas opciones controlan cómo se muestran los mensajes y cuántos se guardan como máximo.</translation>
    </message>
    <message>
        <source>Show date and time on messages</source>
        <translation>Mostrar fecha y hora en los mensajes</translation>
    </message>
    <message>
        <source>Max lines:</source>
        <translation>Líneas máx.:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Select options</source>
        <translation>Elegir opciones</translation>
    </message>
    <message>
        <source>Run Tellwick at startup</source>
        <translation>Iniciar Tellwick al arrancar</translation>
    </message>
    <message>
        <source>Flash tray icon on new message</source>
        <translation>Hacer parpadear el icono con cada mensaje</translation>
    </message>
    <message>
        <source>Make window visible on new message</source>
        <translation>Mostrar la ventana con cada mensaje</translation>
    </message>
    <message>
        <source>Log to file</source>
        <translation>Registrar en un archivo</translation>
    </message>
    <message>
        <source>Log file name:</source>
        <translation>Archivo de registro:</translation>
    </message>
    <message>
        <source>Browse for log file</source>
        <translation>Elegir el archivo de registro</translation>
    </message>
    <message>
        <source>Fast mark:</source>
        <translation>Marca rápida:</translation>
    </message>
    <message>
        <source>Log Files (*.log);;All Files (*)</source>
        <translation>Archivos de registro (*.log);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Please enter a whole number of lines.</source>
        <translation>Introduzca un número entero de líneas.</translation>
    </message>
</context>
<context>
    <name>CKeywordDlg</name>
    <message>
        <source>Keyword</source>
        <translation>Palabra clave</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>CMessageReceiver</name>
    <message>
        <source>Not receiving: UDP port %1 is in use, most likely by another copy of Tellwick</source>
        <translation>Sin recepción: el puerto UDP %1 está en uso, probablemente por otra copia de Tellwick</translation>
    </message>
</context>
<context>
    <name>CMessageView</name>
    <message>
        <source>Messages</source>
        <translation>Mensajes</translation>
    </message>
</context>
<context>
    <name>CSendMessageDlg</name>
    <message>
        <source>Send Message</source>
        <translation>Enviar mensaje</translation>
    </message>
    <message>
        <source>Send a message to any computer on the network running Tellwick.</source>
        <translation>Envíe un mensaje a cualquier equipo de la red que ejecute Tellwick.</translation>
    </message>
    <message>
        <source>C&amp;omputer:</source>
        <translation>&amp;Equipo:</translation>
    </message>
    <message>
        <source>Find computer</source>
        <translation>Buscar equipo</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>&amp;Mensaje:</translation>
    </message>
    <message>
        <source>&amp;Color</source>
        <translation>&amp;Color</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>CTaskDialog</name>
    <message>
        <source>Task</source>
        <translation>Tarea</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Examinar...</translation>
    </message>
    <message>
        <source>&amp;Program:</source>
        <translation>&amp;Programa:</translation>
    </message>
    <message>
        <source>&amp;Arguments:</source>
        <translation>Ar&amp;gumentos:</translation>
    </message>
    <message>
        <source>The program is started on its own; the message is not passed to it.</source>
        <translation>El programa se inicia por sí solo; el mensaje no se le pasa.</translation>
    </message>
    <message>
        <source>Choose Program</source>
        <translation>Elegir programa</translation>
    </message>
</context>
<context>
    <name>CreditLines</name>
    <message>
        <source>A small desktop messenger<byte value="xc"/></source>
        <translation>Un pequeño mensajero de escritorio<byte value="xc"/></translation>
    </message>
    <message>
        <source>for the computers of a local network<byte value="xc"/></source>
        <translation>para los equipos de una red local<byte value="xc"/></translation>
    </message>
    <message>
        <source>Written in C++20 with Qt 6<byte value="xc"/></source>
        <translation>Escrito en C++20 con Qt 6<byte value="xc"/></translation>
    </message>
    <message>
        <source>Engineering 
</source>
        <translation>Desarrollo 
</translation>
    </message>
    <message>
        <source>The Tellwick team<byte value="xc"/></source>
        <translation>El equipo de Tellwick<byte value="xc"/></translation>
    </message>
    <message>
        <source>Wire format, message view and alerts<byte value="xc"/></source>
        <translation>Formato de mensajes, vista y alertas<byte value="xc"/></translation>
    </message>
    <message>
        <source>Settings store, tray icon and dialogs<byte value="xc"/></source>
        <translation>Ajustes, icono y cuadros de diálogo<byte value="xc"/></translation>
    </message>
    <message>
        <source>Documentation 
</source>
        <translation>Documentación 
</translation>
    </message>
    <message>
        <source>Beta Testers 
</source>
        <translation>Probadores beta 
</translation>
    </message>
    <message>
        <source>Everyone who ran the early builds<byte value="xc"/></source>
        <translation>Todos los que probaron las primeras versiones<byte value="xc"/></translation>
    </message>
    <message>
        <source>on their own local network<byte value="xc"/></source>
        <translation>en su propia red local<byte value="xc"/></translation>
    </message>
    <message>
        <source>and sent word of what went wrong<byte value="xc"/></source>
        <translation>y avisaron de lo que fallaba<byte value="xc"/></translation>
    </message>
    <message>
        <source>Thank you<byte value="xc"/></source>
        <translation>Gracias<byte value="xc"/></translation>
    </message>
    <message>
        <source>Contact Points 
</source>
        <translation>Contacto 
</translation>
    </message>
</context>
<context>
    <name>MenuResource</name>
    <message>
        <source>&amp;Black</source>
        <translation>&amp;Negro</translation>
    </message>
    <message>
        <source>&amp;Red</source>
        <translation>&amp;Rojo</translation>
    </message>
    <message>
        <source>&amp;Green</source>
        <translation>&amp;Verde</translation>
    </message>
    <message>
        <source>B&amp;lue</source>
        <translation>&amp;Azul</translation>
    </message>
    <message>
        <source>&amp;Yellow</source>
        <translation>Amari&amp;llo</translation>
    </message>
    <message>
        <source>&amp;Orange</source>
        <translation>Naran&amp;ja</translation>
    </message>
    <message>
        <source>&amp;Purple</source>
        <translation>&amp;Morado</translation>
    </message>
    <message>
        <source>Brow&amp;n</source>
        <translation>Marr&amp;ón</translation>
    </message>
    <message>
        <source>&amp;White</source>
        <translation>&amp;Blanco</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>Barra de &amp;herramientas</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Barra de &amp;estado</translation>
    </message>
    <message>
        <source>&amp;Always On Top</source>
        <translation>Siempre &amp;encima</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Fuente...</translation>
    </message>
    <message>
        <source>Fast &amp;Mark	Ctrl+M</source>
        <translation>&amp;Marca rápida	Ctrl+M</translation>
    </message>
    <message>
        <source>&amp;Clear	Alt+C</source>
        <translation>&amp;Limpiar	Alt+C</translation>
    </message>
    <message>
        <source>Send Message...	Ctrl-S</source>
        <translation>Enviar mensaje...	Ctrl-S</translation>
    </message>
    <message>
        <source>&amp;Properties	Ctrl+P</source>
        <translation>&amp;Propiedades	Ctrl+P</translation>
    </message>
    <message>
        <source>Help Topics</source>
        <translation>Temas de ayuda</translation>
    </message>
    <message>
        <source>Search...</source>
        <translation>Buscar...</translation>
    </message>
    <message>
        <source>Using Help</source>
        <translation>Uso de la ayuda</translation>
    </message>
    <message>
        <source>&amp;About Tellwick...</source>
        <translation>&amp;Acerca de Tellwick...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>Send Message...</source>
        <translation>Enviar mensaje...</translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation>&amp;Propiedades...</translation>
    </message>
    <message>
        <source>&amp;Hide	Ctrl+H</source>
        <translation>&amp;Ocultar	Ctrl+H</translation>
    </message>
    <message>
        <source>&amp;Send Message	Ctrl+S</source>
        <translation>&amp;Enviar mensaje	Ctrl+S</translation>
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
        <translation>Uso: tellwick-send EQUIPO MENSAJE...
     tellwick-send --help | --version
Envía MENSAJE, con sus palabras unidas por espacios, como una línea a Tellwick en
EQUIPO. Las opciones solo se leen antes de EQUIPO: las palabras de MENSAJE se
envían tal cual.

EQUIPO   un nombre o una dirección de equipo; &quot;localhost&quot; o &quot;&quot; es este equipo,
         &quot;*&quot; todos los equipos de la red local. Un nombre como lo da la búsqueda
         de Tellwick, por ejemplo desk-7.local:20345, llega a una copia en el
         puerto que anuncia.
MENSAJE  texto con etiquetas de color opcionales: &lt;w&gt; blanco, &lt;b&gt; negro, &lt;l&gt; azul,
         &lt;g&gt; verde, &lt;r&gt; rojo, &lt;n&gt; marrón, &lt;p&gt; morado, &lt;o&gt; naranja, &lt;y&gt; amarillo;
         &lt;w,r&gt; es blanco sobre rojo. Un MENSAJE &quot;-&quot; se lee de la entrada
         estándar: cada línea se envía como un mensaje propio, en orden.

Un mensaje más largo de lo que muestra Tellwick (1999 bytes) se corta ahí, entre
dos caracteres. Los mensajes no se confirman: el éxito significa que se
escribieron, no que se leyeron.
Entorno: TELLWICK_MAILSLOT_PORT, el puerto UDP de los buzones (10138 por defecto);
TELLWICK_TRANSPORT, &quot;udp&quot; o &quot;netbios&quot; (copias de Windows), si no, la opción guardada.
Estado de salida: 0 escrito, 1 no escrito, 2 argumentos erróneos.
Véase tellwick-send(1).
</translation>
    </message>
    <message>
        <source>Try &apos;tellwick-send --help&apos; for more information.</source>
        <translation>Pruebe «tellwick-send --help» para más información.</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Tellwick Properties</source>
        <translation>Propiedades de Tellwick</translation>
    </message>
    <message>
        <source>%lu KB</source>
        <translation>%lu KB</translation>
    </message>
    <message>
        <source>Windows sockets initialization failed.</source>
        <translation>No se pudieron inicializar los sockets.</translation>
    </message>
    <message>
        <source>%lu KB Free on %s</source>
        <translation>%lu KB libres en %s</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>No disponible</translation>
    </message>
    <message>
        <source>Test (F9)</source>
        <translation>Probar (F9)</translation>
    </message>
    <message>
        <source>Add (Insert)</source>
        <translation>Añadir (Insert)</translation>
    </message>
    <message>
        <source>Properties (F2)</source>
        <translation>Propiedades (F2)</translation>
    </message>
    <message>
        <source>Delete (Delete)</source>
        <translation>Eliminar (Supr)</translation>
    </message>
    <message>
        <source>Show Tellwick on top of all other windows</source>
        <translation>Mostrar Tellwick encima de todas las demás ventanas</translation>
    </message>
    <message>
        <source>Select the font used for text display</source>
        <translation>Elegir la fuente con la que se muestra el texto</translation>
    </message>
    <message>
        <source>Clears the current display
Clear</source>
        <translation>Limpia la vista actual
Limpiar</translation>
    </message>
    <message>
        <source>Set the properties for Tellwick
Properties</source>
        <translation>Establecer las propiedades de Tellwick
Propiedades</translation>
    </message>
    <message>
        <source>Add a mark to the current display
Fast Mark</source>
        <translation>Añade una marca a la vista actual
Marca rápida</translation>
    </message>
    <message>
        <source>Error reading mailslot %u, 0x%08X</source>
        <translation>Error al leer el buzón %u, 0x%08X</translation>
    </message>
    <message>
        <source>Unable to create mailslot</source>
        <translation>No se puede crear el buzón</translation>
    </message>
    <message>
        <source>Can&apos;t write to mailslot</source>
        <translation>No se puede escribir en el buzón</translation>
    </message>
    <message>
        <source>Alert task starts skipped, still running: %d</source>
        <translation>Tareas de alerta no iniciadas, aún en curso: %d</translation>
    </message>
    <message>
        <source>Messages lost, arriving faster than taken in: %llu</source>
        <translation>Mensajes perdidos, llegados más rápido de lo que se reciben: %llu</translation>
    </message>
    <message>
        <source>Alert task starts failed, program missing: %d</source>
        <translation>Tareas de alerta no iniciadas, falta el programa: %d</translation>
    </message>
    <message>
        <source>Browse for log file</source>
        <translation>Elegir el archivo de registro</translation>
    </message>
    <message>
        <source>Send a message to another computer running Tellwick
Send Message</source>
        <translation>Enviar un mensaje a otro equipo que ejecute Tellwick
Enviar mensaje</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Listo</translation>
    </message>
</context>
</TS>
