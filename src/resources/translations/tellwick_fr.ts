<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Tellwick</source>
        <translation>À propos de Tellwick</translation>
    </message>
    <message>
        <source>A messenger for the computers of a local network</source>
        <translation>Une messagerie pour les ordinateurs d’un réseau local</translation>
    </message>
    <message>
        <source>System Resources</source>
        <translation>Ressources système</translation>
    </message>
    <message>
        <source>Physical memory:</source>
        <translation>Mémoire physique :</translation>
    </message>
    <message>
        <source>Free disk space:</source>
        <translation>Espace disque libre :</translation>
    </message>
    <message>
        <source>Contact Points</source>
        <translation>Contacts</translation>
    </message>
    <message>
        <source>Internet mail:</source>
        <translation>Courriel :</translation>
    </message>
    <message>
        <source>Web site:</source>
        <translation>Site web :</translation>
    </message>
    <message>
        <source>Postal mail:</source>
        <translation>Adresse postale :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version %1 (Build: %2)</source>
        <translation>Version %1 (compilation : %2)</translation>
    </message>
</context>
<context>
    <name>CAlertDlg</name>
    <message>
        <source>Alert</source>
        <translation>Alerte</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Description :</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Mots-clés</translation>
    </message>
    <message>
        <source>Enter keywords that will trigger the alert.</source>
        <translation>Saisissez les mots-clés qui déclenchent l’alerte.</translation>
    </message>
    <message>
        <source>Keyword(s):</source>
        <translation>Mots-clés :</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tâche</translation>
    </message>
    <message>
        <source>The task determines what actions will occur when an alert is triggered.</source>
        <translation>La tâche détermine ce qui se passe lorsque l’alerte est déclenchée.</translation>
    </message>
    <message>
        <source>&amp;Task</source>
        <translation>&amp;Tâche</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Keyword</source>
        <translation>Mot-clé</translation>
    </message>
</context>
<context>
    <name>CAlertPage</name>
    <message>
        <source>Alerts</source>
        <translation>Alertes</translation>
    </message>
    <message>
        <source>Alerts allow you to configure actions that will occur when messages are received that contain specified keywords.</source>
        <translation>Les alertes définissent ce qui se passe à la réception d’un message contenant certains mots-clés.</translation>
    </message>
    <message>
        <source>Alert(s):</source>
        <translation>Alertes :</translation>
    </message>
    <message>
        <source>Enable alerts</source>
        <translation>Activer les alertes</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Tâche</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
</context>
<context>
    <name>CCommandLine</name>
    <message>
        <source>Shows the one-line messages that computers of the local network send to this one, and
sends messages to them. Only one copy runs per user: starting it again brings the running
copy&apos;s window to the front. See tellwick(1).</source>
        <translation>Affiche les messages d’une ligne que les ordinateurs du réseau local envoient à celui-ci,
et leur envoie des messages. Une seule copie tourne par utilisateur : la relancer ramène
au premier plan la fenêtre de la copie en cours. Voir tellwick(1).</translation>
    </message>
    <message>
        <source>Shows this help and ends.</source>
        <translation>Affiche cette aide et termine.</translation>
    </message>
    <message>
        <source>Shows the version and ends.</source>
        <translation>Affiche la version et termine.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argument inattendu « %1 ».</translation>
    </message>
    <message>
        <source>Try &apos;tellwick --help&apos; for more information.</source>
        <translation>Essayez « tellwick --help » pour plus d’informations.</translation>
    </message>
    <message>
        <source>needs a desktop session (neither DISPLAY nor WAYLAND_DISPLAY is set); tellwick-send sends messages without one.</source>
        <translation>a besoin d’une session de bureau (ni DISPLAY ni WAYLAND_DISPLAY n’est défini) ; tellwick-send envoie des messages sans elle.</translation>
    </message>
</context>
<context>
    <name>CCreditsDlg</name>
    <message>
        <source>Credits</source>
        <translation>Remerciements</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Could not find bitmap resource &quot;%1&quot;. Be sure to assign the bitmap a QUOTED resource name</source>
        <translation>Ressource d’image « %1 » introuvable. Veillez à donner à l’image un nom de ressource ENTRE GUILLEMETS</translation>
    </message>
</context>
<context>
    <name>CDesktopNotification</name>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
</context>
<context>
    <name>CFindComputerDlg</name>
    <message>
        <source>Find computer</source>
        <translation>Rechercher un ordinateur</translation>
    </message>
    <message>
        <source>Computers found on the network:</source>
        <translation>Ordinateurs trouvés sur le réseau :</translation>
    </message>
    <message>
        <source>C&amp;omputer:</source>
        <translation>O&amp;rdinateur :</translation>
    </message>
    <message>
        <source>Runs Tellwick</source>
        <translation>Exécute Tellwick</translation>
    </message>
    <message>
        <source>Network browsing is not available. Type the name of the computer instead.</source>
        <translation>La recherche sur le réseau n’est pas disponible. Saisissez plutôt le nom de l’ordinateur.</translation>
    </message>
</context>
<context>
    <name>CGeneralPage</name>
    <message>
        <source>Display</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>These options control how messages are displayed and the max number of messages that are stored.</source>
        <translation>Ces options règlent l’affichage des messages et le nombre maximal de messages conservés.</translation>
    </message>
    <message>
        <source>Show date and time on messages</source>
        <translation>Afficher la date et l’heure des messages</translation>
    </message>
    <message>
        <source>Max lines:</source>
        <translation>Lignes max. :</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Select options</source>
        <translation>Choisir les options</translation>
    </message>
    <message>
        <source>Run Tellwick at startup</source>
        <translation>Lancer Tellwick au démarrage</translation>
    </message>
    <message>
        <source>Flash tray icon on new message</source>
        <translation>Faire clignoter l’icône à chaque message</translation>
    </message>
    <message>
        <source>Make window visible on new message</source>
        <translation>Afficher la fenêtre à chaque message</translation>
    </message>
    <message>
        <source>Log to file</source>
        <translation>Journaliser dans un fichier</translation>
    </message>
    <message>
        <source>Log file name:</source>
        <translation>Fichier journal :</translation>
    </message>
    <message>
        <source>Browse for log file</source>
        <translation>Choisir le fichier journal</translation>
    </message>
    <message>
        <source>Fast mark:</source>
        <translation>Marque rapide :</translation>
    </message>
    <message>
        <source>Log Files (*.log);;All Files (*)</source>
        <translation>Fichiers journaux (*.log);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Please enter a whole number of lines.</source>
        <translation>Veuillez saisir un nombre entier de lignes.</translation>
    </message>
</context>
<context>
    <name>CKeywordDlg</name>
    <message>
        <source>Keyword</source>
        <translation>Mot-clé</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>CMessageReceiver</name>
    <message>
        <source>Not receiving: UDP port %1 is in use, most likely by another copy of Tellwick</source>
        <translation>Pas de réception : le port UDP %1 est occupé, sans doute par une autre copie de Tellwick</translation>
    </message>
</context>
<context>
    <name>CMessageView</name>
    <message>
        <source>Messages</source>
        <translation>Messages</translation>
    </message>
</context>
<context>
    <name>CSendMessageDlg</name>
    <message>
        <source>Send Message</source>
        <translation>Envoyer un message</translation>
    </message>
    <message>
        <source>Send a message to any computer on the network running Tellwick.</source>
        <translation>Envoyez un message à un ordinateur du réseau qui exécute Tellwick.</translation>
    </message>
    <message>
        <source>C&amp;omputer:</source>
        <translation>O&amp;rdinateur :</translation>
    </message>
    <message>
        <source>Find computer</source>
        <translation>Rechercher un ordinateur</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>&amp;Message :</translation>
    </message>
    <message>
        <source>&amp;Color</source>
        <translation>&amp;Couleur</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>CTaskDialog</name>
    <message>
        <source>Task</source>
        <translation>Tâche</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Parcourir...</translation>
    </message>
    <message>
        <source>&amp;Program:</source>
        <translation>Pro&amp;gramme :</translation>
    </message>
    <message>
        <source>&amp;Arguments:</source>
        <translation>Argu&amp;ments :</translation>
    </message>
    <message>
        <source>The program is started on its own; the message is not passed to it.</source>
        <translation>Le programme est lancé seul ; le message ne lui est pas transmis.</translation>
    </message>
    <message>
        <source>Choose Program</source>
        <translation>Choisir un programme</translation>
    </message>
</context>
<context>
    <name>CreditLines</name>
    <message>
        <source>A small desktop messenger<byte value="xc"/></source>
        <translation>Une petite messagerie de bureau<byte value="xc"/></translation>
    </message>
    <message>
        <source>for the computers of a local network<byte value="xc"/></source>
        <translation>pour les ordinateurs d’un réseau local<byte value="xc"/></translation>
    </message>
    <message>
        <source>Written in C++20 with Qt 6<byte value="xc"/></source>
        <translation>Écrit en C++20 avec Qt 6<byte value="xc"/></translation>
    </message>
    <message>
        <source>Engineering 
</source>
        <translation>Développement 
</translation>
    </message>
    <message>
        <source>The Tellwick team<byte value="xc"/></source>
        <translation>L’équipe Tellwick<byte value="xc"/></translation>
    </message>
    <message>
        <source>Wire format, message view and alerts<byte value="xc"/></source>
        <translation>Format des messages, affichage et alertes<byte value="xc"/></translation>
    </message>
    <message>
        <source>Settings store, tray icon and dialogs<byte value="xc"/></source>
        <translation>Réglages, icône et boîtes de dialogue<byte value="xc"/></translation>
    </message>
    <message>
        <source>Documentation 
</source>
        <translation>Documentation 
</translation>
    </message>
    <message>
        <source>Beta Testers 
</source>
        <translation>Bêta-testeurs 
</translation>
    </message>
    <message>
        <source>Everyone who ran the early builds<byte value="xc"/></source>
        <translation>Tous ceux qui ont essayé les premières versions<byte value="xc"/></translation>
    </message>
    <message>
        <source>on their own local network<byte value="xc"/></source>
        <translation>sur leur propre réseau local<byte value="xc"/></translation>
    </message>
    <message>
        <source>and sent word of what went wrong<byte value="xc"/></source>
        <translation>et signalé ce qui n’allait pas<byte value="xc"/></translation>
    </message>
    <message>
        <source>Thank you<byte value="xc"/></source>
        <translation>Merci<byte value="xc"/></translation>
    </message>
    <message>
        <source>Contact Points 
</source>
        <translation>Contacts 
</translation>
    </message>
</context>
<context>
    <name>MenuResource</name>
    <message>
        <source>&amp;Black</source>
        <translation>&amp;Noir</translation>
    </message>
    <message>
        <source>&amp;Red</source>
        <translation>&amp;Rouge</translation>
    </message>
    <message>
        <source>&amp;Green</source>
        <translation>&amp;Vert</translation>
    </message>
    <message>
        <source>B&amp;lue</source>
        <translation>&amp;Bleu</translation>
    </message>
    <message>
        <source>&amp;Yellow</source>
        <translation>&amp;Jaune</translation>
    </message>
    <message>
        <source>&amp;Orange</source>
        <translation>&amp;Orange</translation>
    </message>
    <message>
        <source>&amp;Purple</source>
        <translation>Vio&amp;let</translation>
    </message>
    <message>
        <source>Brow&amp;n</source>
        <translation>&amp;Marron</translation>
    </message>
    <message>
        <source>&amp;White</source>
        <translation>Bl&amp;anc</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>Barre d’&amp;outils</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Barre d’ét&amp;at</translation>
    </message>
    <message>
        <source>&amp;Always On Top</source>
        <translation>&amp;Toujours au premier plan</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>P&amp;olice...</translation>
    </message>
    <message>
        <source>Fast &amp;Mark	Ctrl+M</source>
        <translation>&amp;Marque rapide	Ctrl+M</translation>
    </message>
    <message>
        <source>&amp;Clear	Alt+C</source>
        <translation>&amp;Effacer	Alt+C</translation>
    </message>
    <message>
        <source>Send Message...	Ctrl-S</source>
        <translation>Envoyer un message...	Ctrl-S</translation>
    </message>
    <message>
        <source>&amp;Properties	Ctrl+P</source>
        <translation>&amp;Propriétés	Ctrl+P</translation>
    </message>
    <message>
        <source>Help Topics</source>
        <translation>Rubriques d’aide</translation>
    </message>
    <message>
        <source>Search...</source>
        <translation>Rechercher...</translation>
    </message>
    <message>
        <source>Using Help</source>
        <translation>Utiliser l’aide</translation>
    </message>
    <message>
        <source>&amp;About Tellwick...</source>
        <translation>À p&amp;ropos de Tellwick...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À p&amp;ropos</translation>
    </message>
    <message>
        <source>Send Message...</source>
        <translation>Envoyer un message...</translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation>&amp;Propriétés...</translation>
    </message>
    <message>
        <source>&amp;Hide	Ctrl+H</source>
        <translation>Mas&amp;quer	Ctrl+H</translation>
    </message>
    <message>
        <source>&amp;Send Message	Ctrl+S</source>
        <translation>En&amp;voyer un message	Ctrl+S</translation>
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
        <translation>Usage : tellwick-send ORDINATEUR MESSAGE...
        tellwick-send --help | --version
Envoie MESSAGE, ses mots joints par des espaces, en une ligne à Tellwick sur
ORDINATEUR. Les options ne sont lues qu&apos;avant ORDINATEUR : les mots de MESSAGE
sont envoyés tels quels.

ORDINATEUR  un nom ou une adresse d&apos;ordinateur ; &quot;localhost&quot; ou &quot;&quot; est cet
            ordinateur, &quot;*&quot; tous les ordinateurs du réseau local. Un nom tel que
            le donne la recherche de Tellwick, comme desk-7.local:20345, atteint
            une copie sur le port qu&apos;elle annonce.
MESSAGE     texte avec balises de couleur facultatives : &lt;w&gt; blanc, &lt;b&gt; noir,
            &lt;l&gt; bleu, &lt;g&gt; vert, &lt;r&gt; rouge, &lt;n&gt; marron, &lt;p&gt; violet, &lt;o&gt; orange,
            &lt;y&gt; jaune ; &lt;w,r&gt; est blanc sur rouge. Un MESSAGE &quot;-&quot; est lu sur
            l&apos;entrée standard : chaque ligne est envoyée comme un message, dans
            l&apos;ordre.

Un message plus long que ce qu&apos;affiche Tellwick (1999 octets) y est coupé, entre
deux caractères. Les messages ne sont pas acquittés : le succès signifie qu&apos;ils
ont été écrits, non qu&apos;ils ont été lus.
Environnement : TELLWICK_MAILSLOT_PORT, le port UDP des boîtes (10138 par défaut) ;
TELLWICK_TRANSPORT, &quot;udp&quot; ou &quot;netbios&quot; (copies Windows), sinon le choix enregistré.
Code de sortie : 0 écrit, 1 non écrit, 2 arguments erronés.
Voir tellwick-send(1).
</translation>
    </message>
    <message>
        <source>Try &apos;tellwick-send --help&apos; for more information.</source>
        <translation>Essayez « tellwick-send --help » pour plus d’informations.</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Tellwick Properties</source>
        <translation>Propriétés de Tellwick</translation>
    </message>
    <message>
        <source>%lu KB</source>
        <translation>%lu Ko</translation>
    </message>
    <message>
        <source>Windows sockets initialization failed.</source>
        <translation>L’initialisation des sockets a échoué.</translation>
    </message>
    <message>
        <source>%lu KB Free on %s</source>
        <translation>%lu Ko libres sur %s</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>Indisponible</translation>
    </message>
    <message>
        <source>Test (F9)</source>
        <translation>Tester (F9)</translation>
    </message>
    <message>
        <source>Add (Insert)</source>
        <translation>Ajouter (Inser)</translation>
    </message>
    <message>
        <source>Properties (F2)</source>
        <translation>Propriétés (F2)</translation>
    </message>
    <message>
        <source>Delete (Delete)</source>
        <translation>Supprimer (Suppr)</translation>
    </message>
    <message>
        <source>Show Tellwick on top of all other windows</source>
        <translation>Afficher Tellwick au-dessus de toutes les autres fenêtres</translation>
    </message>
    <message>
        <source>Select the font used for text display</source>
        <translation>Choisir la police d’affichage du texte</translation>
    </message>
    <message>
        <source>Clears the current display
Clear</source>
        <translation>Efface l’affichage actuel
Effacer</translation>
    </message>
    <message>
        <source>Set the properties for Tellwick
Properties</source>
        <translation>Définir les propriétés de Tellwick
Propriétés</translation>
    </message>
    <message>
        <source>Add a mark to the current display
Fast Mark</source>
        <translation>Ajoute une marque à l’affichage actuel
Marque rapide</translation>
    </message>
    <message>
        <source>Error reading mailslot %u, 0x%08X</source>
        <translation>Erreur de lecture de la boîte aux lettres %u, 0x%08X</translation>
    </message>
    <message>
        <source>Unable to create mailslot</source>
        <translation>Impossible de créer la boîte aux lettres</translation>
    </message>
    <message>
        <source>Can&apos;t write to mailslot</source>
        <translation>Impossible d’écrire dans la boîte aux lettres</translation>
    </message>
    <message>
        <source>Alert task starts skipped, still running: %d</source>
        <translation>Tâches d’alerte non lancées, toujours en cours : %d</translation>
    </message>
    <message>
        <source>Messages lost, arriving faster than taken in: %llu</source>
        <translation>Messages perdus, arrivés plus vite que reçus : %llu</translation>
    </message>
    <message>
        <source>Alert task starts failed, program missing: %d</source>
        <translation>Tâches d’alerte non lancées, programme absent : %d</translation>
    </message>
    <message>
        <source>Browse for log file</source>
        <translation>Choisir le fichier journal</translation>
    </message>
    <message>
        <source>Send a message to another computer running Tellwick
Send Message</source>
        <translation>Envoyer un message à un autre ordinateur qui exécute Tellwick
Envoyer un message</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
</context>
</TS>
