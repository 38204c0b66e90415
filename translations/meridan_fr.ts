<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Analog</name>
    <message>
        <source>The format of %1</source>
        <translation>Le format de %1</translation>
    </message>
    <message>
        <source>The special file of %1</source>
        <translation>Le fichier spécial de %1</translation>
    </message>
    <message>
        <source>The special file of %1 cannot hold &quot;|&quot;, nor its month &quot;*&quot;.</source>
        <translation>Le fichier spécial de %1 ne peut contenir « | », ni son mois « * ».</translation>
    </message>
    <message>
        <source>The log file &quot;%1&quot; holds a character that a shell would read, and Analog hands log files to a shell to uncompress them. Rename or remove it; nothing was built.</source>
        <translation>Le nom du journal « %1 » contient un caractère qu&apos;un shell interpréterait, et Analog passe les journaux à un shell pour les décompresser. Renommez-le ou supprimez-le ; rien n&apos;a été construit.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Le dossier %1 ne peut pas être créé.</translation>
    </message>
    <message>
        <source>You cannot read the logs in %1: Debian lets the adm group read them. Add yourself to it (sudo adduser %2 adm), log in again, and the Site reads them.</source>
        <translation>Vous ne pouvez pas lire les journaux de %1 : Debian les réserve au groupe adm. Ajoutez-vous-y (sudo adduser %2 adm), reconnectez-vous, et le Site les lira.</translation>
    </message>
    <message>
        <source>There is no such period: nothing was generated.</source>
        <translation>Cette période n&apos;existe pas : rien n&apos;a été généré.</translation>
    </message>
</context>
<context>
    <name>CFTPDownloadDlg</name>
    <message>
        <source>FTP Download</source>
        <translation>Téléchargement FTP</translation>
    </message>
    <message>
        <source>Ftp:</source>
        <translation>FTP :</translation>
    </message>
    <message>
        <source>Overwrite &amp;logfiles</source>
        <translation>&amp;Remplacer les fichiers journaux</translation>
    </message>
</context>
<context>
    <name>CHostBaseCfgPage</name>
    <message>
        <source>Default output type</source>
        <translation>Type de sortie par défaut</translation>
    </message>
    <message>
        <source>Error file (none means screen)</source>
        <translation>Fichier d&apos;erreurs (aucun : à l&apos;écran)</translation>
    </message>
    <message>
        <source>Base configuration file</source>
        <translation>Fichier de configuration de base</translation>
    </message>
    <message>
        <source>&amp;Edit file</source>
        <translation>&amp;Modifier le fichier</translation>
    </message>
    <message>
        <source>&amp;Refresh list</source>
        <translation>&amp;Actualiser la liste</translation>
    </message>
    <message>
        <source>You may edit the base configuration file. If you need several base config, simply record the file under another name in the text editor (always set file extension to .basecfg).</source>
        <translation>Vous pouvez modifier le fichier de configuration de base. S&apos;il vous en faut plusieurs, enregistrez simplement le fichier sous un autre nom dans l&apos;éditeur de texte (toujours avec l&apos;extension .basecfg).</translation>
    </message>
</context>
<context>
    <name>CHostFoldersPage</name>
    <message>
        <source>The folder tree is as follows:</source>
        <translation>L&apos;arborescence des dossiers est la suivante :</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Stats root folder, with the configuration files, the reports and their images:</source>
        <translation>Dossier racine des statistiques, avec les fichiers de configuration, les rapports et leurs images :</translation>
    </message>
    <message>
        <source>Choose &amp;root folder...</source>
        <translation>Choisir le dossier &amp;racine...</translation>
    </message>
    <message>
        <source>Choose the root folder for statistics.</source>
        <translation>Choisissez le dossier racine des statistiques.</translation>
    </message>
    <message>
        <source>Log files:</source>
        <translation>Fichiers journaux :</translation>
    </message>
    <message>
        <source>Choose &amp;log folder...</source>
        <translation>Choisir le dossier des &amp;journaux...</translation>
    </message>
    <message>
        <source>Choose the root folder for log files.</source>
        <translation>Choisissez le dossier racine des fichiers journaux.</translation>
    </message>
    <message>
        <source>&amp;Include the Images folder under the Reports folder</source>
        <translation>&amp;Inclure le dossier des images dans le dossier des rapports</translation>
    </message>
</context>
<context>
    <name>CHostFtpPage</name>
    <message>
        <source>&amp;FTP URL:</source>
        <translation>URL &amp;FTP :</translation>
    </message>
    <message>
        <source>ftp://server/folder</source>
        <translation>ftp://serveur/dossier</translation>
    </message>
    <message>
        <source>&amp;User:</source>
        <translation>&amp;Utilisateur :</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Mot de passe :</translation>
    </message>
    <message>
        <source>Require &amp;TLS</source>
        <translation>Exiger &amp;TLS</translation>
    </message>
    <message>
        <source>An ftp:// server must switch to TLS before the login; ftps:// always uses TLS.</source>
        <translation>Un serveur ftp:// doit passer à TLS avant la connexion ; ftps:// utilise toujours TLS.</translation>
    </message>
    <message>
        <source>Trusted &amp;certificate:</source>
        <translation>&amp;Certificat de confiance :</translation>
    </message>
    <message>
        <source>SHA-256 fingerprint, for a server no authority vouches for</source>
        <translation>Empreinte SHA-256, pour un serveur qu&apos;aucune autorité ne garantit</translation>
    </message>
</context>
<context>
    <name>CHostGenPage</name>
    <message>
        <source>&amp;Host name:</source>
        <translation>Nom d&apos;&amp;hôte :</translation>
    </message>
    <message>
        <source>&amp;URL: (http://)</source>
        <translation>&amp;URL : (http://)</translation>
    </message>
    <message>
        <source>Command &amp;line for Analog:</source>
        <translation>&amp;Ligne de commande d&apos;Analog :</translation>
    </message>
    <message>
        <source>Language of the reports</source>
        <translation>Langue des rapports</translation>
    </message>
    <message>
        <source>La&amp;nguage:</source>
        <translation>La&amp;ngue :</translation>
    </message>
    <message>
        <source>Language &amp;files</source>
        <translation>&amp;Fichiers de langue</translation>
    </message>
    <message>
        <source>or</source>
        <translation>ou</translation>
    </message>
</context>
<context>
    <name>CHostLogFmtPage</name>
    <message>
        <source>LOGFORMAT/APACHELOGFORMAT commands</source>
        <translation>Commandes LOGFORMAT/APACHELOGFORMAT</translation>
    </message>
    <message>
        <source>Add &amp;new line</source>
        <translation>Ajouter une &amp;nouvelle ligne</translation>
    </message>
    <message>
        <source>Special monthly periods</source>
        <translation>Périodes mensuelles spéciales</translation>
    </message>
    <message>
        <source>Add new &amp;period</source>
        <translation>Ajouter une &amp;période</translation>
    </message>
</context>
<context>
    <name>CHostLogPage</name>
    <message>
        <source>&amp;Logfile naming scheme</source>
        <translation>&amp;Nommage des fichiers journaux</translation>
    </message>
    <message>
        <source>Describe the naming scheme for logfiles.
You may also set subfolders for periods.</source>
        <translation>Décrivez le nommage des fichiers journaux.
Vous pouvez aussi indiquer des sous-dossiers par période.</translation>
    </message>
    <message>
        <source>Log periodicity</source>
        <translation>Périodicité des journaux</translation>
    </message>
    <message>
        <source>&amp;Hourly</source>
        <translation>&amp;Horaire</translation>
    </message>
    <message>
        <source>&amp;Daily</source>
        <translation>&amp;Quotidien</translation>
    </message>
    <message>
        <source>&amp;Weekly</source>
        <translation>He&amp;bdomadaire</translation>
    </message>
    <message>
        <source>&amp;Monthly</source>
        <translation>&amp;Mensuel</translation>
    </message>
    <message>
        <source>Valid variables:
- %yyyy%: 4 digit year
- %yy%: 2 digit year
- %mm%: Month number
- %wk%: Week number
- %dd%: day of the month
- %hh%: Hour of day (0-24)</source>
        <translation>Variables valides :
- %yyyy% : année sur 4 chiffres
- %yy% : année sur 2 chiffres
- %mm% : numéro du mois
- %wk% : numéro de la semaine
- %dd% : jour du mois
- %hh% : heure du jour (0-24)</translation>
    </message>
    <message>
        <source>&amp;Numbered by logrotate</source>
        <translation>Numérotés par &amp;logrotate</translation>
    </message>
    <message>
        <source>access.log, access.log.1, access.log.2.gz, ... renamed every night: the naming scheme names the newest file</source>
        <translation>access.log, access.log.1, access.log.2.gz, ... renommés chaque nuit : le modèle de nom désigne le plus récent</translation>
    </message>
</context>
<context>
    <name>CHostPostProcess</name>
    <message>
        <source>If you need a complementary process, enter the command line to execute.
Output file name should be &apos;%OutPath%/index.html&apos;.</source>
        <translation>S&apos;il vous faut un traitement complémentaire, saisissez la ligne de commande à exécuter.
Le fichier de sortie devrait être « %OutPath%/index.html ».</translation>
    </message>
    <message>
        <source>&amp;Post-process command line</source>
        <translation>&amp;Ligne de commande de post-traitement</translation>
    </message>
    <message>
        <source>Valid variables are:</source>
        <translation>Les variables valides sont :</translation>
    </message>
    <message>
        <source>%OutFile% = full path name of the file created with Analog.
%OutPath% = Analog output file path.
%OutFile/%, %OutPath/% = Same, using / instead of \.</source>
        <translation>%OutFile% = chemin complet du fichier créé par Analog.
%OutPath% = dossier du fichier de sortie d&apos;Analog.
%OutFile/%, %OutPath/% = les mêmes, avec / au lieu de \.</translation>
    </message>
</context>
<context>
    <name>CHostReportPage</name>
    <message>
        <source>Check the reports to produce; drag a row to change the order.</source>
        <translation>Cochez les rapports à produire ; faites glisser une ligne pour changer l&apos;ordre.</translation>
    </message>
    <message>
        <source>All &amp;periods</source>
        <translation>Toutes les &amp;périodes</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>Rapports</translation>
    </message>
    <message>
        <source>&amp;Daily</source>
        <translation>&amp;Quotidien</translation>
    </message>
    <message>
        <source>&amp;Weekly</source>
        <translation>He&amp;bdomadaire</translation>
    </message>
    <message>
        <source>&amp;Monthly</source>
        <translation>&amp;Mensuel</translation>
    </message>
    <message>
        <source>&amp;Quarterly</source>
        <translation>&amp;Trimestriel</translation>
    </message>
    <message>
        <source>&amp;Half-yearly</source>
        <translation>&amp;Semestriel</translation>
    </message>
    <message>
        <source>&amp;Yearly</source>
        <translation>&amp;Annuel</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Réinitialiser</translation>
    </message>
    <message>
        <source>Kept up to date</source>
        <translation>Tenus à jour</translation>
    </message>
    <message>
        <source>The kinds of report meridan-cli update builds whenever their logs change.</source>
        <translation>Les sortes de rapports que meridan-cli update construit chaque fois que leurs journaux changent.</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Jours</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>Semaines</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Mois</translation>
    </message>
    <message>
        <source>Quarters</source>
        <translation>Trimestres</translation>
    </message>
    <message>
        <source>Halves</source>
        <translation>Semestres</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Années</translation>
    </message>
</context>
<context>
    <name>CMainDlg</name>
    <message>
        <source>Meridan</source>
        <translation>Meridan</translation>
    </message>
    <message>
        <source>Web Servers</source>
        <translation>Serveurs Web</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>A&amp;jouter...</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Modifier...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Logfiles</source>
        <translation>Fichiers journaux</translation>
    </message>
    <message>
        <source>FTP Do&amp;wnload...</source>
        <translation>Télécharger par &amp;FTP...</translation>
    </message>
    <message>
        <source>Dis&amp;play errors</source>
        <translation>Affic&amp;her les erreurs</translation>
    </message>
    <message>
        <source>General Index</source>
        <translation>Index général</translation>
    </message>
    <message>
        <source>B&amp;uild</source>
        <translation>&amp;Générer</translation>
    </message>
    <message>
        <source>Di&amp;splay</source>
        <translation>&amp;Voir</translation>
    </message>
    <message>
        <source>&amp;Frames</source>
        <translation>Ca&amp;dres</translation>
    </message>
    <message>
        <source>Sho&amp;rtcut</source>
        <translation>&amp;Raccourci</translation>
    </message>
    <message>
        <source>Preferen&amp;ces...</source>
        <translation>&amp;Préférences...</translation>
    </message>
    <message>
        <source>Ab&amp;out...</source>
        <translation>À pr&amp;opos...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>Rapports</translation>
    </message>
    <message>
        <source>Periodicity</source>
        <translation>Périodicité</translation>
    </message>
    <message>
        <source>Da&amp;ily</source>
        <translation>Quotidie&amp;n</translation>
    </message>
    <message>
        <source>Wee&amp;kly</source>
        <translation>He&amp;bdomadaire</translation>
    </message>
    <message>
        <source>&amp;Monthly</source>
        <translation>Mens&amp;uel</translation>
    </message>
    <message>
        <source>Quar&amp;terly</source>
        <translation>&amp;Trimestriel</translation>
    </message>
    <message>
        <source>Ha&amp;lf-yearly</source>
        <translation>Semestrie&amp;l</translation>
    </message>
    <message>
        <source>&amp;Yearly</source>
        <translation>Annu&amp;el</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Mois</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Report:</source>
        <translation>Rapport :</translation>
    </message>
    <message>
        <source>Use e&amp;xisting configuration file, if present</source>
        <translation>Utiliser la configuration e&amp;xistante</translation>
    </message>
    <message>
        <source>O&amp;nly out-of-date reports</source>
        <translation>Seulement les rapports p&amp;érimés</translation>
    </message>
    <message>
        <source>&amp;Build</source>
        <translation>&amp;Construire</translation>
    </message>
    <message>
        <source>Click: choose the period. Double click: open its report. Right double click: edit its configuration. Delete: remove its configuration file.</source>
        <translation>Clic : choisir la période. Double clic : ouvrir son rapport. Double clic droit : modifier sa configuration. Suppr : supprimer son fichier de configuration.</translation>
    </message>
    <message>
        <source>Build only the periods whose report is missing, or whose logs, base file or settings that reach Analog changed since it was built.</source>
        <translation>Ne construire que les périodes dont le rapport manque, ou dont les journaux, le fichier de base ou les réglages transmis à Analog ont changé depuis sa construction.</translation>
    </message>
    <message>
        <source>O&amp;verview of all Sites</source>
        <translation>S&amp;ynthèse de tous les Sites</translation>
    </message>
    <message>
        <source>Show every Site&apos;s figures and last update in place of the reports.</source>
        <translation>Montrer les chiffres et la dernière mise à jour de chaque Site à la place des rapports.</translation>
    </message>
</context>
<context>
    <name>CPrefsDlg</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Path of the Analog program (analog)</source>
        <translation>Chemin du programme Analog (analog)</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Parcourir...</translation>
    </message>
    <message>
        <source>&amp;Parallel builds:</source>
        <translation>Constructions en para&amp;llèle :</translation>
    </message>
    <message>
        <source>How many periods are built at once. With more than one, each period&apos;s console lines show together when it ends.</source>
        <translation>Combien de périodes sont construites à la fois. Au-delà d&apos;une, les lignes de console de chaque période s&apos;affichent ensemble quand elle se termine.</translation>
    </message>
    <message>
        <source>&amp;Sort periods in ascending chronological order</source>
        <translation>&amp;Trier les périodes par ordre chronologique croissant</translation>
    </message>
    <message>
        <source>Text editor</source>
        <translation>Éditeur de texte</translation>
    </message>
    <message>
        <source>Bro&amp;wse...</source>
        <translation>Parc&amp;ourir...</translation>
    </message>
    <message>
        <source>Overview page of every Site, written by each update</source>
        <translation>Page de synthèse de tous les Sites, écrite à chaque mise à jour</translation>
    </message>
    <message>
        <source>No page</source>
        <translation>Pas de page</translation>
    </message>
    <message>
        <source>C&amp;hoose...</source>
        <translation>&amp;Choisir...</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>The settings could not be written to standard output.</source>
        <translation>Les réglages n&apos;ont pas pu être écrits sur la sortie standard.</translation>
    </message>
    <message>
        <source>set takes VALUE=TEXT pairs.</source>
        <translation>set prend des paires VALEUR=TEXTE.</translation>
    </message>
    <message>
        <source>FTPAccess=-: no password could be read from standard input.</source>
        <translation>FTPAccess=- : aucun mot de passe n&apos;a pu être lu sur l&apos;entrée standard.</translation>
    </message>
    <message>
        <source>
Nothing was changed.</source>
        <translation>
Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>prefs takes VALUE=TEXT pairs.</source>
        <translation>prefs prend des paires VALEUR=TEXTE.</translation>
    </message>
    <message>
        <source>--jobs takes a number of periods from 1 to %1.</source>
        <translation>--jobs prend un nombre de périodes de 1 à %1.</translation>
    </message>
    <message>
        <source>build takes at least one PERIOD.</source>
        <translation>build prend au moins une PÉRIODE.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no period.</source>
        <translation>« %1 » n&apos;est pas une période.</translation>
    </message>
    <message>
        <source>index takes --frames or --no-frames, and --shortcut.</source>
        <translation>index prend --frames ou --no-frames, et --shortcut.</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>Aucune commande n&apos;est donnée.</translation>
    </message>
    <message>
        <source>Wrong number of arguments for %1.</source>
        <translation>Mauvais nombre d&apos;arguments pour %1.</translation>
    </message>
    <message>
        <source>Unknown command %1.</source>
        <translation>Commande inconnue : %1.</translation>
    </message>
    <message>
        <source>Warning: the host key of %1 (%2 %3) was added to the known hosts.</source>
        <translation>Attention : la clé d&apos;hôte de %1 (%2 %3) a été ajoutée aux hôtes connus.</translation>
    </message>
    <message>
        <source>ls takes a Site and a folder.</source>
        <translation>ls prend un Site et un dossier.</translation>
    </message>
    <message>
        <source>--dir takes a folder.</source>
        <translation>--dir prend un dossier.</translation>
    </message>
    <message>
        <source>LogSpecial: every entry ends with &quot;|&quot; (yyyymm*file|).</source>
        <translation>LogSpecial : chaque entrée se termine par « | » (aaaamm*fichier|).</translation>
    </message>
    <message>
        <source>LogSpecial: &quot;%1*%2&quot; is no entry yyyymm*file.</source>
        <translation>LogSpecial : « %1*%2 » n&apos;est pas une entrée aaaamm*fichier.</translation>
    </message>
    <message>
        <source>%1 is not listed in LogFormatChanges.</source>
        <translation>%1 ne figure pas dans LogFormatChanges.</translation>
    </message>
    <message>
        <source>The format change %1 has no format: give %1=A&lt;format&gt; or %1=L&lt;format&gt;.</source>
        <translation>Le changement de format %1 n&apos;a pas de format : donnez %1=A&lt;format&gt; ou %1=L&lt;format&gt;.</translation>
    </message>
    <message>
        <source>%1 takes &quot;A&quot; (APACHELOGFORMAT) or &quot;L&quot; (LOGFORMAT) followed by the format.</source>
        <translation>%1 prend « A » (APACHELOGFORMAT) ou « L » (LOGFORMAT) suivi du format.</translation>
    </message>
    <message>
        <source>%1 is not a value of a Site.</source>
        <translation>%1 n&apos;est pas une valeur d&apos;un Site.</translation>
    </message>
    <message>
        <source>A Site uses either Language or LangCode, not both.</source>
        <translation>Un Site utilise Language ou LangCode, pas les deux.</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 of %n period(s), %3 fetched</source>
        <translation>
            <numerusform>%1 : %2 sur %n période, %3 téléchargés</numerusform>
            <numerusform>%1 : %2 sur %n périodes, %3 téléchargés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n file(s) fetched (%2)</source>
        <translation>
            <numerusform>%1 : %n fichier téléchargé (%2)</numerusform>
            <numerusform>%1 : %n fichiers téléchargés (%2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 of %n period(s) built</source>
        <translation>
            <numerusform>, %1 sur %n période construite</numerusform>
            <numerusform>, %1 sur %n périodes construites</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n problem(s)</source>
        <translation>
            <numerusform>, %n problème</numerusform>
            <numerusform>, %n problèmes</numerusform>
        </translation>
    </message>
    <message>
        <source>The export holds the stored passwords; it is shown on the terminal.</source>
        <translation>L&apos;export contient les mots de passe enregistrés ; il s&apos;affiche sur le terminal.</translation>
    </message>
    <message>
        <source>Standard output is a file that others may read, and its permissions cannot be changed; nothing was exported.</source>
        <translation>La sortie standard est un fichier que d&apos;autres peuvent lire, et ses droits ne peuvent pas être changés ; rien n&apos;a été exporté.</translation>
    </message>
    <message>
        <source>[refused: %1]</source>
        <translation>[refusé : %1]</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no period (2003-09-15, 2003-W07, 2003-09, 2003-Q3, 2003-H2, 2003, or 2003-09-*, 2003-W*, 2003-*, 2003-Q*, 2003-H*; years 1992 to 2069).</source>
        <translation>« %1 » n&apos;est pas une période (2003-09-15, 2003-W07, 2003-09, 2003-Q3, 2003-H2, 2003, ou 2003-09-*, 2003-W*, 2003-*, 2003-Q*, 2003-H* ; années 1992 à 2069).</translation>
    </message>
    <message>
        <source>LogFormatChanges: &quot;%1&quot; is no month yyyymm from 199201 to 206912.</source>
        <translation>LogFormatChanges : « %1 » n&apos;est pas un mois aaaamm de 199201 à 206912.</translation>
    </message>
    <message>
        <source>Unknown option %1.</source>
        <translation>Option inconnue : %1.</translation>
    </message>
    <message>
        <source>--stage takes 1 (days), 2 (weeks and months) or 3 (quarters, halves and years).</source>
        <translation>--stage prend 1 (les jours), 2 (les semaines et les mois) ou 3 (les trimestres, les semestres et les années).</translation>
    </message>
    <message>
        <source>No web server&apos;s access log was found on this machine (/var/log/apache2, /var/log/nginx).</source>
        <translation>Aucun journal d&apos;accès de serveur web n&apos;a été trouvé sur cette machine (/var/log/apache2, /var/log/nginx).</translation>
    </message>
    <message>
        <source>%1=%2: the preferences are AnalogPath, TextEditor, CfgAscending (0 or 1), ParallelBuilds (1 to %3), MaxLogFileMiB (1 to %4) and OverviewFolder. Nothing was changed.</source>
        <translation>%1=%2 : les préférences sont AnalogPath, TextEditor, CfgAscending (0 ou 1), ParallelBuilds (1 à %3), MaxLogFileMiB (1 à %4) et OverviewFolder. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>Usage: meridan-cli COMMAND [ARGUMENTS]
  sites                          the stored Sites
  add NAME                       a new Site with the defaults of its name
  add --local                    a Site for each web server of this machine
                                 (Apache&apos;s and nginx&apos;s logs in /var/log)
  show NAME                      every stored value of the Site
  set NAME VALUE=TEXT...         change stored values (all or none);
                                 FTPAccess=- reads the password from standard input
  rename NAME NEWNAME            rename a Site
  rm NAME                        delete a Site&apos;s settings (its files stay)
  prefs [VALUE=TEXT...]          show or set AnalogPath, TextEditor, CfgAscending,
                                 ParallelBuilds, MaxLogFileMiB (the largest log
                                 file downloaded), OverviewFolder (where update
                                 writes the overview page)
  generate NAME PERIOD...        write the configuration file of each period
  reports NAME                   the periods that have a configuration file
  build NAME PERIOD... [--use-existing] [--jobs N] [--stale]
                                 build each period&apos;s report with Analog, N at
                                 once (default: the number of cores); only
                                 out-of-date reports with --stale
  index NAME [--frames|--no-frames] [--shortcut]
                                 write the general index over the reports
  ls NAME [SUBFOLDER] [--accept-new-host-key]
                                 the entries of the Site&apos;s FTP folder
  fetch NAME [--overwrite] [--dir SUBFOLDER] [--accept-new-host-key] [PATTERN...]
                                 download log files into the Site&apos;s log folder;
                                 an unknown SSH host key is refused unless
                                 --accept-new-host-key records it
  update [NAME...] [--quiet] [--jobs N] [--accept-new-host-key]
                                 for each Site (all when none is named): fetch
                                 the new and changed logs, build the out-of-date
                                 periods of the kinds it keeps, write its index
  plan [NAME...] [--stage N]     the build commands update would run, one a line,
                                 in stages that read the caches of those before:
                                 days (1), weeks and months (2), the rest (3)
  overview [NAME...] [--json] [--html FOLDER]
                                 every Site&apos;s requests yesterday, this month and
                                 the last, and its last update; as JSON, or as
                                 a web page in FOLDER
  export [FILE]                  the whole settings store as JSON (standard output)
  import FILE                    replace the whole settings store by an export
  --version                      the version and the licence
PERIOD: 2003-09-15, 2003-W07, 2003-09, 2003-Q3, 2003-H2, 2003, or every period
of a kind, quoted so that the shell leaves the star alone: &apos;2003-09-*&apos; (the
days of a month), &apos;2003-W*&apos;, &apos;2003-*&apos;, &apos;2003-Q*&apos;, &apos;2003-H*&apos;.</source>
        <translation>Usage : meridan-cli COMMANDE [ARGUMENTS]
  sites                          les Sites enregistrés
  add NOM                        un nouveau Site avec les valeurs par défaut de son nom
  add --local                    un Site pour chaque serveur web de cette machine
                                 (les journaux d&apos;Apache et de nginx dans /var/log)
  show NOM                       toutes les valeurs enregistrées du Site
  set NOM VALEUR=TEXTE...        modifier des valeurs (toutes ou aucune) ;
                                 FTPAccess=- lit le mot de passe sur l&apos;entrée standard
  rename NOM NOUVEAUNOM          renommer un Site
  rm NOM                         supprimer les réglages d&apos;un Site (ses fichiers restent)
  prefs [VALEUR=TEXTE...]        afficher ou régler AnalogPath, TextEditor,
                                 CfgAscending, ParallelBuilds, MaxLogFileMiB (le plus
                                 grand journal téléchargé), OverviewFolder (où update
                                 écrit la page de la vue d&apos;ensemble)
  generate NOM PÉRIODE...        écrire le fichier de configuration de chaque période
  reports NOM                    les périodes qui ont un fichier de configuration
  build NOM PÉRIODE... [--use-existing] [--jobs N] [--stale]
                                 construire le rapport de chaque période avec Analog,
                                 N à la fois (par défaut : le nombre de cœurs) ;
                                 seulement les rapports périmés avec --stale
  index NOM [--frames|--no-frames] [--shortcut]
                                 écrire l&apos;index général des rapports
  ls NOM [SOUS-DOSSIER] [--accept-new-host-key]
                                 le contenu du dossier FTP du Site
  fetch NOM [--overwrite] [--dir SOUS-DOSSIER] [--accept-new-host-key] [MOTIF...]
                                 télécharger les journaux dans le dossier du Site ;
                                 une clé d&apos;hôte SSH inconnue est refusée sauf si
                                 --accept-new-host-key l&apos;enregistre
  update [NOM...] [--quiet] [--jobs N] [--accept-new-host-key]
                                 pour chaque Site (tous si aucun n&apos;est nommé) :
                                 télécharger les journaux nouveaux et modifiés,
                                 construire les périodes périmées des sortes qu&apos;il
                                 tient à jour, écrire son index
  plan [NOM...] [--stage N]      les commandes build que lancerait update, une par ligne,
                                 par étapes qui lisent les caches des précédentes :
                                 jours (1), semaines et mois (2), le reste (3)
  overview [NOM...] [--json] [--html DOSSIER]
                                 les requêtes d&apos;hier, de ce mois et du précédent de
                                 chaque Site, et sa dernière mise à jour ; en JSON,
                                 ou en page web dans DOSSIER
  export [FICHIER]               tous les réglages en JSON (sortie standard)
  import FICHIER                 remplacer tous les réglages par un export
  --version                      la version et la licence
PÉRIODE : 2003-09-15, 2003-W07, 2003-09, 2003-Q3, 2003-H2, 2003, ou toutes les
périodes d&apos;une sorte, entre guillemets pour que le shell laisse l&apos;étoile :
&apos;2003-09-*&apos; (les jours d&apos;un mois), &apos;2003-W*&apos;, &apos;2003-*&apos;, &apos;2003-Q*&apos;, &apos;2003-H*&apos;.</translation>
    </message>
    <message>
        <source>--html takes a folder, and goes without --json.</source>
        <translation>--html prend un dossier, et ne va pas avec --json.</translation>
    </message>
</context>
<context>
    <name>Common</name>
    <message>
        <source> [yes]</source>
        <translation> [oui]</translation>
    </message>
    <message>
        <source> [no]</source>
        <translation> [non]</translation>
    </message>
    <message>
        <source>Error opening file %1</source>
        <translation>Erreur à l&apos;ouverture du fichier %1</translation>
    </message>
    <message>
        <source>Error creating file %1</source>
        <translation>Erreur à la création du fichier %1</translation>
    </message>
    <message>
        <source>The host %1 exists already!</source>
        <translation>L&apos;hôte %1 existe déjà !</translation>
    </message>
    <message>
        <source>There is no Site named %1.</source>
        <translation>Il n&apos;existe aucun Site nommé %1.</translation>
    </message>
    <message>
        <source>%1 file exists, and is not a folder.</source>
        <translation>Le fichier %1 existe, et ce n&apos;est pas un dossier.</translation>
    </message>
    <message>
        <source>The configuration file %1 does not exist</source>
        <translation>Le fichier de configuration %1 n&apos;existe pas</translation>
    </message>
    <message>
        <source>The folder %1 does not exist
Do you want to create it?</source>
        <translation>Le dossier %1 n&apos;existe pas
Voulez-vous le créer ?</translation>
    </message>
    <message>
        <source>%1
Error #: %2</source>
        <translation>%1
Erreur n° %2</translation>
    </message>
    <message>
        <source>Inconsistent log file naming.</source>
        <translation>Nommage des fichiers journaux incohérent.</translation>
    </message>
    <message>
        <source>Cannot find the Analog program. Please enter its path in the Preferences dialog.</source>
        <translation>Le programme Analog est introuvable. Veuillez saisir son chemin dans la fenêtre Préférences.</translation>
    </message>
    <message>
        <source>(all)</source>
        <translation>(tous)</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2.</source>
        <translation>%1 ne peut pas être écrit : %2.</translation>
    </message>
    <message>
        <source>%1 %2
Copyright 2026 The Meridan developers.
Meridan is free software under the GNU General Public License, version 3 or later: you may share and change it under its terms.
There is NO WARRANTY, to the extent permitted by law.</source>
        <translation>%1 %2
Copyright 2026 The Meridan developers.
Meridan est un logiciel libre sous la licence publique générale GNU, version 3 ou ultérieure : vous pouvez le partager et le modifier selon ses termes.
Il n&apos;y a AUCUNE GARANTIE, dans les limites permises par la loi.</translation>
    </message>
    <message>
        <source>No link was made: there is no Desktop folder.</source>
        <translation>Aucun lien n&apos;a été créé : il n&apos;y a pas de dossier Bureau.</translation>
    </message>
    <message>
        <source>The link %1 was made, but it cannot be made executable, so the desktop may not open it.</source>
        <translation>Le lien %1 a été créé, mais il ne peut pas être rendu exécutable : le bureau risque de ne pas l&apos;ouvrir.</translation>
    </message>
</context>
<context>
    <name>HelpPage</name>
    <message>
        <source>The help pages are not installed in %1. Installing the program&apos;s package again brings them back.</source>
        <translation>Les pages d&apos;aide ne sont pas installées dans %1. Réinstaller le paquet du programme les rétablit.</translation>
    </message>
</context>
<context>
    <name>Overview</name>
    <message>
        <source>Analog could not be started to read the figures of %1.</source>
        <translation>Analog n&apos;a pas pu être lancé pour lire les chiffres de %1.</translation>
    </message>
    <message>
        <source>The figures of %1 could not be stored.</source>
        <translation>Les chiffres de %1 n&apos;ont pas pu être enregistrés.</translation>
    </message>
    <message>
        <source>never</source>
        <translation>jamais</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échec</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Hier</translation>
    </message>
    <message>
        <source>This month</source>
        <translation>Ce mois</translation>
    </message>
    <message>
        <source>Last month</source>
        <translation>Mois dernier</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Évolution</translation>
    </message>
    <message>
        <source>Last update</source>
        <translation>Dernière mise à jour</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>no figures yet</source>
        <translation>pas encore de chiffres</translation>
    </message>
    <message>
        <source>No figures yet: they come with its first update.</source>
        <translation>Pas encore de chiffres : ils viendront avec sa première mise à jour.</translation>
    </message>
    <message numerus="yes">
        <source>Requests a day over the last %n days</source>
        <translation>
            <numerusform>Requêtes par jour sur le dernier jour</numerusform>
            <numerusform>Requêtes par jour sur les %n derniers jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Requests a month over the last %n months</source>
        <translation>
            <numerusform>Requêtes par mois sur le dernier mois</numerusform>
            <numerusform>Requêtes par mois sur les %n derniers mois</numerusform>
        </translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Latest month</source>
        <translation>Dernier mois</translation>
    </message>
    <message>
        <source>All Sites at a glance</source>
        <translation>Tous les Sites d&apos;un coup d&apos;œil</translation>
    </message>
    <message>
        <source>Figures up to %1, as Analog counted them from each Site&apos;s caches.</source>
        <translation>Chiffres jusqu&apos;au %1, tels qu&apos;Analog les a comptés dans les caches de chaque Site.</translation>
    </message>
    <message>
        <source>Last 30 days</source>
        <translation>30 derniers jours</translation>
    </message>
    <message>
        <source>Last 13 months</source>
        <translation>13 derniers mois</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>Rapports</translation>
    </message>
    <message>
        <source>All Sites</source>
        <translation>Tous les Sites</translation>
    </message>
    <message>
        <source>Requests a day over the last year</source>
        <translation>Requêtes par jour sur la dernière année</translation>
    </message>
    <message>
        <source>Requests a day from %1 to %2</source>
        <translation>Requêtes par jour du %1 au %2</translation>
    </message>
    <message>
        <source>From %1 to %2; the highest bar is %3 requests.</source>
        <translation>Du %1 au %2 ; la plus haute barre vaut %3 requêtes.</translation>
    </message>
    <message>
        <source>Requests a month</source>
        <translation>Requêtes par mois</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>The folder %1 of the overview page cannot be made.</source>
        <translation>Le dossier %1 de la page de vue d&apos;ensemble ne peut pas être créé.</translation>
    </message>
    <message numerus="yes">
        <source>%1 s; %n file(s) fetched, %2 of %3 periods built</source>
        <translation>
            <numerusform>%1 s ; %n fichier téléchargé, %2 périodes construites sur %3</numerusform>
            <numerusform>%1 s ; %n fichiers téléchargés, %2 périodes construites sur %3</numerusform>
        </translation>
    </message>
    <message>
        <source>Analog could not read the figures of %1 from its cache (exit code %2).</source>
        <translation>Analog n&apos;a pas pu lire les chiffres de %1 dans son cache (code de sortie %2).</translation>
    </message>
</context>
<context>
    <name>Remote</name>
    <message>
        <source>No FTP Connection
(Probably due to bad connection data)</source>
        <translation>Pas de connexion FTP
(probablement à cause de mauvaises données de connexion)</translation>
    </message>
    <message>
        <source>it is not the certificate trusted for this Site</source>
        <translation>ce n&apos;est pas le certificat de confiance de ce Site</translation>
    </message>
    <message>
        <source>Cannot establish Internet Session</source>
        <translation>Impossible d&apos;établir une session Internet</translation>
    </message>
    <message>
        <source>Bad URL

</source>
        <translation>URL incorrecte

</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Annulé.</translation>
    </message>
    <message>
        <source>WARNING: THE HOST KEY OF %1 HAS CHANGED!
Someone may be listening in on the connection, or the server got a new key. Its key is now %2 %3, not the one %4 holds. Nothing was sent. If the change is expected, remove the old key with &quot;ssh-keygen -R %5&quot; and connect again.</source>
        <translation>ATTENTION : LA CLÉ D&apos;HÔTE DE %1 A CHANGÉ !
Quelqu&apos;un écoute peut-être la connexion, ou le serveur a reçu une nouvelle clé. Sa clé est maintenant %2 %3, et non celle que contient %4. Rien n&apos;a été envoyé. Si ce changement est attendu, retirez l&apos;ancienne clé avec « ssh-keygen -R %5 » et reconnectez-vous.</translation>
    </message>
    <message>
        <source>The host key of %1 is not known, so nothing was sent. Its fingerprint is %2 %3.</source>
        <translation>La clé d&apos;hôte de %1 n&apos;est pas connue : rien n&apos;a été envoyé. Son empreinte est %2 %3.</translation>
    </message>
    <message>
        <source>Connecting to %1 timed out after %2 s.</source>
        <translation>La connexion à %1 a expiré après %2 s.</translation>
    </message>
    <message>
        <source>%1 did not finish within %2 s, so it was stopped.</source>
        <translation>%1 n&apos;a pas terminé en %2 s ; l&apos;opération a été arrêtée.</translation>
    </message>
    <message>
        <source>%1 stopped answering or sent less than %2 bytes a second, so it was stopped after %3 s.</source>
        <translation>%1 ne répondait plus ou envoyait moins de %2 octets par seconde ; l&apos;opération a été arrêtée après %3 s.</translation>
    </message>
    <message>
        <source>The certificate of %1 cannot be trusted: %2. Its SHA-256 fingerprint is %3; if it is your server&apos;s, trust it when asked, or set it as the Site&apos;s FTPCertificate.</source>
        <translation>Le certificat de %1 n&apos;est pas digne de confiance : %2. Son empreinte SHA-256 est %3 ; si c&apos;est celui de votre serveur, acceptez-le quand la question est posée, ou donnez-le comme FTPCertificate du Site.</translation>
    </message>
    <message>
        <source>The listing is larger than %1 or %2 entries, so it was not read.</source>
        <translation>La liste dépasse %1 ou %2 entrées ; elle n&apos;a pas été lue.</translation>
    </message>
    <message>
        <source>%1 answered: %2</source>
        <translation>%1 a répondu : %2</translation>
    </message>
    <message>
        <source>The server name %1 cannot be found.</source>
        <translation>Le nom de serveur %1 est introuvable.</translation>
    </message>
    <message>
        <source>%1 cannot be reached on port %2.</source>
        <translation>%1 est injoignable sur le port %2.</translation>
    </message>
    <message>
        <source>%1 refused the login of %2.</source>
        <translation>%1 a refusé la connexion de %2.</translation>
    </message>
    <message>
        <source>The connection to %1 broke off: %2.</source>
        <translation>La connexion à %1 a été interrompue : %2.</translation>
    </message>
    <message>
        <source>%1 ended the transfer after %2 of %3.</source>
        <translation>%1 a mis fin au transfert après %2 sur %3.</translation>
    </message>
    <message>
        <source>%1 does not offer TLS, which this Site requires.</source>
        <translation>%1 ne propose pas TLS, que ce Site exige.</translation>
    </message>
    <message>
        <source>The folder %1/ cannot be listed. %2</source>
        <translation>Le contenu du dossier %1/ ne peut être listé. %2</translation>
    </message>
    <message>
        <source>The listing line &quot;%1&quot; could not be read; it was left out.</source>
        <translation>La ligne de liste « %1 » n&apos;a pas pu être lue ; elle a été ignorée.</translation>
    </message>
    <message>
        <source>The remote name &quot;%1&quot; is no plain file name and was not copied.</source>
        <translation>Le nom distant « %1 » n&apos;est pas un simple nom de fichier ; il n&apos;a pas été copié.</translation>
    </message>
    <message>
        <source>The remote name &quot;%1&quot; would make the folder &quot;%2&quot;, which is outside the log folder; it was not copied.</source>
        <translation>Le nom distant « %1 » donnerait le dossier « %2 », hors du dossier des journaux ; il n&apos;a pas été copié.</translation>
    </message>
    <message>
        <source>The host key of %1 cannot be read.</source>
        <translation>La clé d&apos;hôte de %1 ne peut être lue.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Le dossier %1 ne peut être créé.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 ne peut être lu : %2</translation>
    </message>
    <message>
        <source>The host key of %1 (%2 %3) is marked as revoked in %4. Nothing was sent.</source>
        <translation>La clé d&apos;hôte de %1 (%2 %3) est marquée comme révoquée dans %4. Rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>The file is larger than %1, the largest copied (the preference MaxLogFileMiB); it was not kept.</source>
        <translation>Le fichier dépasse %1, la plus grande taille copiée (la préférence MaxLogFileMiB) ; il n&apos;a pas été gardé.</translation>
    </message>
    <message>
        <source>The work with %1 took longer than %2 s in all, so it was stopped; the rest waits for the next time.</source>
        <translation>Le travail avec %1 a duré plus de %2 s en tout, il a donc été arrêté ; le reste attend la prochaine fois.</translation>
    </message>
    <message>
        <source>%1 sent %2 of %3 in %4 s, too slowly for its size, so the transfer was stopped.</source>
        <translation>%1 a envoyé %2 sur %3 en %4 s, trop lentement pour sa taille ; le transfert a donc été arrêté.</translation>
    </message>
    <message>
        <source>an unknown size</source>
        <translation>une taille inconnue</translation>
    </message>
    <message>
        <source>%1 announced %2 but sent %3; the file was not kept.</source>
        <translation>%1 a annoncé %2 mais a envoyé %3 ; le fichier n&apos;a pas été gardé.</translation>
    </message>
    <message>
        <source>The remote name &quot;%1&quot; holds a character that a shell would read (one of $ ` &quot; \ ; | &amp; ( ) &lt; &gt; &apos;), and Analog hands log names to a shell to uncompress them; it was not copied.</source>
        <translation>Le nom distant « %1 » contient un caractère qu&apos;un shell interpréterait (l&apos;un de $ ` &quot; \ ; | &amp; ( ) &lt; &gt; &apos;), et Analog passe les noms des journaux à un shell pour les décompresser ; il n&apos;a pas été copié.</translation>
    </message>
    <message>
        <source>The server took the connection but never greeted: it may be too busy, or not the server the URL should name.</source>
        <translation>Le serveur a accepté la connexion sans jamais saluer : il est peut-être trop occupé, ou ce n&apos;est pas le serveur que l&apos;URL devrait nommer.</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Could not remove %1: %2</source>
        <translation>Impossible de supprimer %1 : %2</translation>
    </message>
    <message>
        <source>Statistics for Web server %1</source>
        <translation>Statistiques du serveur Web %1</translation>
    </message>
    <message>
        <source>Year: %1</source>
        <translation>Année : %1</translation>
    </message>
    <message>
        <source>Annual report</source>
        <translation>Rapport annuel</translation>
    </message>
    <message>
        <source>First half year</source>
        <translation>Premier semestre</translation>
    </message>
    <message>
        <source>Second half year</source>
        <translation>Second semestre</translation>
    </message>
    <message>
        <source>First quarter</source>
        <translation>Premier trimestre</translation>
    </message>
    <message>
        <source>Second quarter</source>
        <translation>Deuxième trimestre</translation>
    </message>
    <message>
        <source>Third quarter</source>
        <translation>Troisième trimestre</translation>
    </message>
    <message>
        <source>Fourth quarter</source>
        <translation>Quatrième trimestre</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>Semaine %1</translation>
    </message>
</context>
<context>
    <name>Run</name>
    <message>
        <source>%1: no log file exists, nothing was built.</source>
        <translation>%1 : aucun fichier journal n&apos;existe, rien n&apos;a été construit.</translation>
    </message>
    <message>
        <source>CreateProcess: error # %1
(cmd: %2)</source>
        <translation>CreateProcess : erreur n° %1
(commande : %2)</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Arrêté.</translation>
    </message>
    <message>
        <source>Ended by signal %1.</source>
        <translation>Terminé par le signal %1.</translation>
    </message>
    <message>
        <source>Exit code: %1</source>
        <translation>Code de sortie : %1</translation>
    </message>
    <message numerus="yes">
        <source>The build was stopped; %1 of %n period(s) were not built.</source>
        <translation>
            <numerusform>La construction a été arrêtée ; %1 sur %n période n&apos;a pas été construite.</numerusform>
            <numerusform>La construction a été arrêtée ; %1 sur %n périodes n&apos;ont pas été construites.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n chosen report(s) up to date; nothing was built.</source>
        <translation>
            <numerusform>Le rapport choisi est à jour ; rien n&apos;a été construit.</numerusform>
            <numerusform>Les %n rapports choisis sont à jour ; rien n&apos;a été construit.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <translation>
            <numerusform>%n autre</numerusform>
            <numerusform>%n autres</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: the report was kept, as logs it counts are gone (%2): built again, it would lack their requests. Remove the report to build it from the logs that are left.</source>
        <translation>%1 : le rapport a été gardé, car des journaux qu&apos;il compte ont disparu (%2) : reconstruit, il perdrait leurs requêtes. Supprimez le rapport pour le construire à partir des journaux restants.</translation>
    </message>
    <message>
        <source>The cache folder %1 cannot be written: the periods are read from their logs, and keep no cache.</source>
        <translation>Le dossier de cache %1 ne peut pas être écrit : les périodes sont lues dans leurs journaux et ne gardent aucun cache.</translation>
    </message>
    <message>
        <source>The settings changed, but logs that the caches of %1 were made from are gone: those caches stay as they were made, and the reports that hold them count them so.</source>
        <translation>Les réglages ont changé, mais des journaux dont les caches de %1 sont tirés n&apos;existent plus : ces caches restent tels qu&apos;ils ont été faits, et les rapports qui les contiennent les comptent ainsi.</translation>
    </message>
    <message>
        <source>%1: the report was kept: the logs of %2 are gone, and their caches cannot be read together with the logs of the other days. Build the days whose caches are out of date first.</source>
        <translation>%1 : le rapport a été gardé : les journaux de %2 n&apos;existent plus, et leurs caches ne peuvent pas être lus avec les journaux des autres jours. Construisez d&apos;abord les jours dont les caches sont périmés.</translation>
    </message>
    <message>
        <source>Analog ended without error, but the file it wrote, %1, could not be put in place: %2.</source>
        <translation>Analog s&apos;est terminé sans erreur, mais le fichier qu&apos;il a écrit, %1, n&apos;a pas pu être mis en place : %2.</translation>
    </message>
    <message>
        <source>A command runs already; %1 was not started.</source>
        <translation>Une commande tourne déjà ; %1 n&apos;a pas été lancée.</translation>
    </message>
    <message>
        <source>A build runs already.</source>
        <translation>Une construction tourne déjà.</translation>
    </message>
    <message>
        <source>No build could start with %1 periods at once (1 to %2 can run).</source>
        <translation>Aucune construction n&apos;a pu démarrer avec %1 périodes à la fois (de 1 à %2 peuvent tourner).</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>The FTP password is too long: at most %1 characters can be stored.</source>
        <translation>Le mot de passe FTP est trop long : %1 caractères au plus peuvent être enregistrés.</translation>
    </message>
    <message>
        <source>The file is no settings export of Meridan: %1</source>
        <translation>Le fichier n&apos;est pas un export des réglages de Meridan : %1</translation>
    </message>
    <message>
        <source>The file holds keys whose names differ only in case: %1. Nothing was imported.</source>
        <translation>Le fichier contient des clés dont les noms ne diffèrent que par la casse : %1. Rien n&apos;a été importé.</translation>
    </message>
    <message>
        <source>The host name cannot be empty.</source>
        <translation>Le nom d&apos;hôte ne peut être vide.</translation>
    </message>
    <message>
        <source>The host name %1 cannot hold &quot;/&quot; or &quot;\&quot;.</source>
        <translation>Le nom d&apos;hôte %1 ne peut contenir « / » ni « \ ».</translation>
    </message>
    <message>
        <source>The host name %1 cannot hold a double quote (&quot;) or a percent sign (%).</source>
        <translation>Le nom d&apos;hôte %1 ne peut contenir de guillemet droit (&quot;) ni de signe pour cent (%).</translation>
    </message>
    <message>
        <source>The host name %1 is not allowed.</source>
        <translation>Le nom d&apos;hôte %1 n&apos;est pas permis.</translation>
    </message>
    <message>
        <source>The host name cannot hold control characters.</source>
        <translation>Le nom d&apos;hôte ne peut contenir de caractères de contrôle.</translation>
    </message>
    <message>
        <source>The host name &quot;%1&quot; cannot begin or end with white space.</source>
        <translation>Le nom d&apos;hôte « %1 » ne peut commencer ni finir par une espace.</translation>
    </message>
    <message>
        <source>%1 is not a value of a Site.</source>
        <translation>%1 n&apos;est pas une valeur d&apos;un Site.</translation>
    </message>
    <message>
        <source>%1 takes a decimal number, not &quot;%2&quot;.</source>
        <translation>%1 prend un nombre décimal, pas « %2 ».</translation>
    </message>
    <message>
        <source>%1 cannot hold a line break or a NUL character.</source>
        <translation>%1 ne peut contenir de saut de ligne ni de caractère NUL.</translation>
    </message>
    <message>
        <source>The naming scheme &quot;%1&quot; must stay below the log folder: no &quot;..&quot; and no leading &quot;/&quot;.</source>
        <translation>Le nommage « %1 » doit rester sous le dossier des journaux : pas de « .. » ni de « / » au début.</translation>
    </message>
    <message>
        <source>%1 cannot hold a double quote (&quot;) or a percent sign (%).</source>
        <translation>%1 ne peut contenir de guillemet droit (&quot;) ni de signe pour cent (%).</translation>
    </message>
    <message>
        <source>%1 cannot hold a double quote (&quot;).</source>
        <translation>%1 ne peut contenir de guillemet droit (&quot;).</translation>
    </message>
    <message>
        <source>%1 must be a folder name without &quot;/&quot; or &quot;\&quot;, and not &quot;.&quot; or &quot;..&quot;.</source>
        <translation>%1 doit être un nom de dossier sans « / » ni « \ », et ni « . » ni « .. ».</translation>
    </message>
    <message>
        <source>The FTP URL holds a password: give the user as FTPUser and the password as FTPAccess (FTPAccess=- reads it from standard input).</source>
        <translation>L&apos;URL FTP contient un mot de passe : donnez l&apos;utilisateur dans FTPUser et le mot de passe dans FTPAccess (FTPAccess=- le lit sur l&apos;entrée standard).</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is no report code.</source>
        <translation>%1 : « %2 » n&apos;est pas un code de rapport.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; stands twice.</source>
        <translation>%1 : « %2 » figure deux fois.</translation>
    </message>
    <message>
        <source>The FTP URL &quot;%1&quot; cannot be read as an address.</source>
        <translation>L&apos;URL FTP « %1 » ne peut être lue comme une adresse.</translation>
    </message>
    <message>
        <source>FTPRequireTLS takes 0 or 1.</source>
        <translation>FTPRequireTLS prend 0 ou 1.</translation>
    </message>
    <message>
        <source>FTPCertificate takes a SHA-256 fingerprint: 32 hex pairs such as AB:CD:...</source>
        <translation>FTPCertificate prend une empreinte SHA-256 : 32 paires hexadécimales comme AB:CD:...</translation>
    </message>
    <message>
        <source>KeepPeriods takes letters of D, W, M, Q, H and Y (days, weeks, months, quarters, halves, years), such as M or DMY.</source>
        <translation>KeepPeriods prend des lettres parmi D, W, M, Q, H et Y (jours, semaines, mois, trimestres, semestres, années), comme M ou DMY.</translation>
    </message>
    <message>
        <source>%1 must be a full path, not &quot;%2&quot;.</source>
        <translation>%1 doit être un chemin complet, pas « %2 ».</translation>
    </message>
    <message>
        <source>Output takes a number from 0 to %1 (XHTML, HTML, PLAIN, ASCII, XML, LATEX, COMPUTER).</source>
        <translation>Output prend un nombre de 0 à %1 (XHTML, HTML, PLAIN, ASCII, XML, LATEX, COMPUTER).</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 est un fichier, pas un dossier</translation>
    </message>
    <message>
        <source>%1 cannot be written to</source>
        <translation>%1 ne peut être écrit</translation>
    </message>
    <message>
        <source>The settings database %1 cannot be used (%2). It was left as it is: repair, move or remove it. Until then no setting can be saved.</source>
        <translation>La base des réglages %1 est inutilisable (%2). Elle a été laissée telle quelle : réparez-la, déplacez-la ou supprimez-la. D&apos;ici là, aucun réglage ne peut être enregistré.</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>ce n&apos;est pas un fichier</translation>
    </message>
    <message>
        <source>it is not a settings database of Meridan</source>
        <translation>ce n&apos;est pas une base de réglages de Meridan</translation>
    </message>
    <message>
        <source>it is truncated</source>
        <translation>elle est tronquée</translation>
    </message>
    <message>
        <source>it was written by another version of Meridan</source>
        <translation>elle a été écrite par une autre version de Meridan</translation>
    </message>
    <message>
        <source>The settings folder %1 cannot be created: %2.</source>
        <translation>Le dossier des réglages %1 ne peut être créé : %2.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read. It was left as it is: repair or remove it. Until then no setting can be saved.</source>
        <translation>Le fichier de réglages %1 ne peut être lu. Il a été laissé tel quel : réparez-le ou supprimez-le. D&apos;ici là, aucun réglage ne peut être enregistré.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read (%2). It was left as it is: repair or remove it. Until then no setting can be saved.</source>
        <translation>Le fichier de réglages %1 ne peut être lu (%2). Il a été laissé tel quel : réparez-le ou supprimez-le. D&apos;ici là, aucun réglage ne peut être enregistré.</translation>
    </message>
    <message>
        <source>The settings database %1 cannot be created: %2.</source>
        <translation>La base des réglages %1 ne peut être créée : %2.</translation>
    </message>
    <message>
        <source>%1 held keys whose names differ only in case from one before them; the first of each was imported, these were left out: %2. The file stays as %3.</source>
        <translation>%1 contenait des clés dont les noms ne diffèrent que par la casse d&apos;une clé précédente ; la première de chacune a été importée, celles-ci ont été ignorées : %2. Le fichier reste en place sous le nom %3.</translation>
    </message>
    <message>
        <source>The settings database %1 cannot be written: the disk is full.</source>
        <translation>La base des réglages %1 ne peut être écrite : le disque est plein.</translation>
    </message>
    <message>
        <source>The settings database %1 stayed locked by another program for %2 seconds; nothing was changed.</source>
        <translation>La base des réglages %1 est restée verrouillée par un autre programme pendant %2 secondes ; rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The settings database %1 cannot be written: the folder %2 is read-only.</source>
        <translation>La base des réglages %1 ne peut être écrite : le dossier %2 est en lecture seule.</translation>
    </message>
    <message>
        <source>The settings database %1 cannot be written: the file is read-only.</source>
        <translation>La base des réglages %1 ne peut être écrite : le fichier est en lecture seule.</translation>
    </message>
    <message>
        <source>The settings database %1 cannot be written: %2.</source>
        <translation>La base des réglages %1 ne peut être écrite : %2.</translation>
    </message>
    <message>
        <source>not the form Meridan writes</source>
        <translation>ce n&apos;est pas la forme qu&apos;écrit Meridan</translation>
    </message>
    <message>
        <source>the keyring did not answer within %1 s</source>
        <translation>le trousseau n&apos;a pas répondu en %1 s</translation>
    </message>
    <message>
        <source>no desktop session bus is running</source>
        <translation>aucun bus de session du bureau n&apos;est lancé</translation>
    </message>
    <message>
        <source>The file is no complete settings export of Meridan: it holds no preferences. Nothing was imported.</source>
        <translation>Le fichier n&apos;est pas un export complet des réglages de Meridan : il ne contient pas les préférences. Rien n&apos;a été importé.</translation>
    </message>
    <message>
        <source>%1 cannot end in &quot;\&quot;: Analog would read the next line of its configuration as part of it.</source>
        <translation>%1 ne peut pas finir par « \ » : Analog lirait la ligne suivante de sa configuration comme en faisant partie.</translation>
    </message>
    <message>
        <source>%1 is too long for Analog: at most %2 characters.</source>
        <translation>%1 est trop long pour Analog : %2 caractères au plus.</translation>
    </message>
    <message>
        <source>Analog would not read this configuration line as written (over %1 characters, or ending in &quot;\&quot;); shorten the values it is made of: %2</source>
        <translation>Analog ne lirait pas cette ligne de configuration telle qu&apos;elle est écrite (plus de %1 caractères, ou finie par « \ ») ; raccourcissez les valeurs qui la composent : %2</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; must stay inside the Site&apos;s folders: no &quot;..&quot; and no leading &quot;/&quot;.</source>
        <translation>%1 « %2 » doit rester dans les dossiers du Site : pas de « .. » ni de « / » au début.</translation>
    </message>
    <message>
        <source>%1 cannot hold a comma: Analog reads a comma in a log file&apos;s path as the start of another file.</source>
        <translation>%1 ne peut pas contenir de virgule : Analog lit une virgule dans le chemin d&apos;un journal comme le début d&apos;un autre fichier.</translation>
    </message>
    <message>
        <source>The settings database %1 cannot be read: %2. Until then no setting can be read or saved.</source>
        <translation>La base de réglages %1 ne peut pas être lue : %2. D&apos;ici là, aucun réglage ne peut être lu ni enregistré.</translation>
    </message>
    <message>
        <source>an interrupted write left a journal to roll back, and the folder %1 is read-only</source>
        <translation>une écriture interrompue a laissé un journal à annuler, et le dossier %1 est en lecture seule</translation>
    </message>
    <message>
        <source>The FTP password of %1 is kept in the desktop&apos;s keyring, which cannot be read now: %2.</source>
        <translation>Le mot de passe FTP de %1 est gardé dans le trousseau du bureau, qui ne peut pas être lu maintenant : %2.</translation>
    </message>
    <message>
        <source>No desktop keyring keeps the FTP password (%1); it is stored enciphered in the settings database.</source>
        <translation>Aucun trousseau du bureau ne garde le mot de passe FTP (%1) ; il est enregistré chiffré dans la base de réglages.</translation>
    </message>
    <message>
        <source>The URL</source>
        <translation>L&apos;URL</translation>
    </message>
    <message>
        <source>The stats root folder</source>
        <translation>Le dossier racine des statistiques</translation>
    </message>
    <message>
        <source>The command line for Analog</source>
        <translation>La ligne de commande d&apos;Analog</translation>
    </message>
    <message>
        <source>The configuration folder</source>
        <translation>Le dossier des configurations</translation>
    </message>
    <message>
        <source>The Reports folder</source>
        <translation>Le dossier des rapports</translation>
    </message>
    <message>
        <source>The Logs folder</source>
        <translation>Le dossier des journaux</translation>
    </message>
    <message>
        <source>The logfile naming scheme</source>
        <translation>Le schéma de nommage des journaux</translation>
    </message>
    <message>
        <source>The error file</source>
        <translation>Le fichier d&apos;erreurs</translation>
    </message>
    <message>
        <source>The post-process command line</source>
        <translation>La ligne de commande de post-traitement</translation>
    </message>
    <message>
        <source>The FTP URL</source>
        <translation>L&apos;URL FTP</translation>
    </message>
    <message>
        <source>The FTP user</source>
        <translation>L&apos;utilisateur FTP</translation>
    </message>
    <message>
        <source>The base configuration file</source>
        <translation>Le fichier de configuration de base</translation>
    </message>
    <message>
        <source>The language of the reports</source>
        <translation>La langue des rapports</translation>
    </message>
    <message>
        <source>The language file</source>
        <translation>Le fichier de langue</translation>
    </message>
    <message>
        <source>The report order</source>
        <translation>L&apos;ordre des rapports</translation>
    </message>
    <message>
        <source>The Logs folder and the logfile naming scheme together make a log file path of %1 characters; Analog reads at most %2. Choose a shorter folder or Site name.</source>
        <translation>Le dossier des journaux et le schéma de nommage forment ensemble un chemin de journal de %1 caractères ; Analog en lit au plus %2. Choisissez un dossier ou un nom de Site plus court.</translation>
    </message>
    <message>
        <source>The cache folder</source>
        <translation>Le dossier de cache</translation>
    </message>
    <message>
        <source>LogPeriodicity takes %1 (hourly), %2 (daily), %3 (weekly), %4 (monthly) or %5 (numbered by logrotate).</source>
        <translation>LogPeriodicity prend %1 (horaire), %2 (quotidien), %3 (hebdomadaire), %4 (mensuel) ou %5 (numérotés par logrotate).</translation>
    </message>
    <message>
        <source>Nothing was changed in the settings database %1.</source>
        <translation>Rien n&apos;a été modifié dans la base de réglages %1.</translation>
    </message>
    <message>
        <source>The text editor &quot;%1&quot; could not be started to open %2. Choose another in the preferences.</source>
        <translation>L&apos;éditeur de texte « %1 » n&apos;a pas pu être lancé pour ouvrir %2. Choisissez-en un autre dans les préférences.</translation>
    </message>
</context>
<context>
    <name>Update</name>
    <message>
        <source>An update is running already (process %1); only one runs at a time.</source>
        <translation>Une mise à jour est déjà en cours (processus %1) ; une seule peut tourner à la fois.</translation>
    </message>
    <message>
        <source>The update lock %1 cannot be taken.</source>
        <translation>Le verrou de mise à jour %1 ne peut être pris.</translation>
    </message>
    <message>
        <source>%1 was not built:
%2</source>
        <translation>%1 n&apos;a pas été construit :
%2</translation>
    </message>
    <message>
        <source>The log folder %1 cannot be read: its logs are left out.</source>
        <translation>Le dossier des journaux %1 ne peut pas être lu : ses journaux sont laissés de côté.</translation>
    </message>
    <message>
        <source>The folder %1 of the Site is missing: nothing was fetched or built. Put it back, or make it anew: meridan-cli set &quot;%2&quot; Root=&quot;%3&quot;</source>
        <translation>Le dossier %1 du Site manque : rien n&apos;a été téléchargé ni construit. Remettez-le, ou recréez-le : meridan-cli set &quot;%2&quot; Root=&quot;%3&quot;</translation>
    </message>
    <message>
        <source>%1 was not built.</source>
        <translation>%1 n&apos;a pas été construit.</translation>
    </message>
</context>
<context>
    <name>meridan::AboutDlg</name>
    <message>
        <source>About Meridan</source>
        <translation>À propos de Meridan</translation>
    </message>
    <message>
        <source>Web statistics for several web sites with Analog,
the command-line web log analyser.</source>
        <translation>Les statistiques Web de plusieurs sites avec Analog,
l&apos;analyseur de journaux Web en ligne de commande.</translation>
    </message>
    <message>
        <source>Help &amp; getting started</source>
        <translation>Aide et premiers pas</translation>
    </message>
    <message>
        <source>Analog CE, the log analyser</source>
        <translation>Analog CE, l&apos;analyseur de journaux</translation>
    </message>
    <message>
        <source>Analog&apos;s documentation on this computer</source>
        <translation>La documentation d&apos;Analog sur cet ordinateur</translation>
    </message>
    <message>
        <source>Copyright 2026 The Meridan developers.
Free software under the GNU General Public License,
version 3 or later. There is NO WARRANTY.</source>
        <translation>Copyright 2026 The Meridan developers.
Logiciel libre sous la licence publique générale GNU,
version 3 ou ultérieure. Il n&apos;y a AUCUNE GARANTIE.</translation>
    </message>
</context>
<context>
    <name>meridan::CConsoleProcessDlg</name>
    <message>
        <source>Console</source>
        <translation>Console</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
    <message>
        <source>&amp;Save output...</source>
        <translation>&amp;Enregistrer la sortie...</translation>
    </message>
    <message>
        <source>Save the console&apos;s output</source>
        <translation>Enregistrer la sortie de la console</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Fichiers texte (*.txt);;Tous les fichiers (*)</translation>
    </message>
</context>
<context>
    <name>meridan::CFTPDownloadDlg</name>
    <message>
        <source>The host key of %1 is not known yet.

%2 key fingerprint:
%3

Compare it with the fingerprint your server&apos;s administrator gives you. Trust this key and add it to your known hosts?</source>
        <translation>La clé d&apos;hôte de %1 n&apos;est pas encore connue.

Empreinte de la clé %2 :
%3

Comparez-la avec l&apos;empreinte que donne l&apos;administrateur de votre serveur. Faire confiance à cette clé et l&apos;ajouter à vos hôtes connus ?</translation>
    </message>
    <message>
        <source>The certificate of %1 cannot be verified: %2.

SHA-256 fingerprint:
%3

Compare it with your server&apos;s certificate. Trust this certificate for this Site?</source>
        <translation>Le certificat de %1 ne peut être vérifié : %2.

Empreinte SHA-256 :
%3

Comparez-la avec le certificat de votre serveur. Faire confiance à ce certificat pour ce Site ?</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Connexion à %1...</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>Lecture de %1...</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>Arrêt...</translation>
    </message>
    <message>
        <source>Copying %1: %2 of %3, %4/s</source>
        <translation>Copie de %1 : %2 sur %3, %4/s</translation>
    </message>
    <message>
        <source>Copying %1: %2, %3/s</source>
        <translation>Copie de %1 : %2, %3/s</translation>
    </message>
</context>
<context>
    <name>meridan::CHostBaseCfgPage</name>
    <message>
        <source>There is no base configuration file %1.</source>
        <translation>Il n&apos;y a pas de fichier de configuration de base %1.</translation>
    </message>
</context>
<context>
    <name>meridan::CHostFoldersPage</name>
    <message>
        <source>Choose the root folder for statistics.</source>
        <translation>Choisissez le dossier racine des statistiques.</translation>
    </message>
    <message>
        <source>Choose the root folder for log files.</source>
        <translation>Choisissez le dossier racine des fichiers journaux.</translation>
    </message>
</context>
<context>
    <name>meridan::CHostLogFmtPage</name>
    <message>
        <source>From   </source>
        <translation>À partir de</translation>
    </message>
    <message>
        <source>For month:</source>
        <translation>Pour le mois :</translation>
    </message>
    <message>
        <source>Insert this file in the configuration file</source>
        <translation>Insérer ce fichier dans le fichier de configuration</translation>
    </message>
</context>
<context>
    <name>meridan::CHostPropSheet</name>
    <message>
        <source>Configure Statistics</source>
        <translation>Configurer les statistiques</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>Rapports</translation>
    </message>
    <message>
        <source>Cfg/Misc.</source>
        <translation>Config./Divers</translation>
    </message>
    <message>
        <source>Logfiles</source>
        <translation>Journaux</translation>
    </message>
    <message>
        <source>Specific formats</source>
        <translation>Formats</translation>
    </message>
    <message>
        <source>Post-process</source>
        <translation>Post-traitement</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>meridan::CHostReportPage</name>
    <message>
        <source>Drag a report, or press Ctrl+Up or Ctrl+Down, to change its place in the order.</source>
        <translation>Faites glisser un rapport, ou appuyez sur Ctrl+Haut ou Ctrl+Bas, pour changer sa place dans l&apos;ordre.</translation>
    </message>
</context>
<context>
    <name>meridan::CMainDlg</name>
    <message>
        <source>&amp;Build</source>
        <translation>&amp;Construire</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Arrêter</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Mois</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Semaine</translation>
    </message>
    <message>
        <source>Quarter of the year</source>
        <translation>Trimestre de l&apos;année</translation>
    </message>
    <message>
        <source>Semestre</source>
        <translation>Semestre</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Premier</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>Deuxième</translation>
    </message>
    <message>
        <source>Third</source>
        <translation>Troisième</translation>
    </message>
    <message>
        <source>Fourth</source>
        <translation>Quatrième</translation>
    </message>
    <message>
        <source>The file %1 cannot be deleted.</source>
        <translation>Le fichier %1 ne peut être supprimé.</translation>
    </message>
    <message>
        <source>Period 1 of %1</source>
        <translation>Période 1 sur %1</translation>
    </message>
    <message>
        <source>Period %1 of %2</source>
        <translation>Période %1 sur %2</translation>
    </message>
    <message>
        <source>The general index was up to date.</source>
        <translation>L&apos;index général était à jour.</translation>
    </message>
    <message>
        <source>Wrote %1 in %2.</source>
        <translation>%1 écrit dans %2.</translation>
    </message>
    <message>
        <source>A build is running. Stop it and quit?</source>
        <translation>Une construction est en cours. L&apos;arrêter et quitter ?</translation>
    </message>
    <message>
        <source>Delete the Site %1? Only its settings are removed: its logs, reports and configuration files stay on disk.</source>
        <translation>Supprimer le Site %1 ? Seuls ses réglages sont supprimés : ses journaux, rapports et fichiers de configuration restent sur le disque.</translation>
    </message>
    <message>
        <source>This machine&apos;s web server %1 keeps its logs in %2. Make the new Site read them?</source>
        <translation>Le serveur web %1 de cette machine garde ses journaux dans %2. Le nouveau Site doit-il les lire ?</translation>
    </message>
    <message>
        <source>An update is running. Stop it and quit?</source>
        <translation>Une mise à jour est en cours. L&apos;arrêter et quitter ?</translation>
    </message>
</context>
<context>
    <name>meridan::COverviewView</name>
    <message>
        <source>Update now</source>
        <translation>Mettre à jour</translation>
    </message>
    <message numerus="yes">
        <source>%n Site(s).</source>
        <translation>
            <numerusform>%n Site.</numerusform>
            <numerusform>%n Sites.</numerusform>
        </translation>
    </message>
    <message>
        <source>meridan-cli, which runs the update, cannot be found.</source>
        <translation>meridan-cli, qui fait la mise à jour, est introuvable.</translation>
    </message>
    <message numerus="yes">
        <source>Updating %n Site(s)...</source>
        <translation>
            <numerusform>Mise à jour de %n Site...</numerusform>
            <numerusform>Mise à jour de %n Sites...</numerusform>
        </translation>
    </message>
    <message>
        <source>Updated %1 of %2 Sites: %3</source>
        <translation>%1 Sites sur %2 mis à jour : %3</translation>
    </message>
    <message>
        <source>The update could not be started.</source>
        <translation>La mise à jour n&apos;a pas pu être lancée.</translation>
    </message>
    <message numerus="yes">
        <source>%n Site(s) updated.</source>
        <translation>
            <numerusform>%n Site mis à jour.</numerusform>
            <numerusform>%n Sites mis à jour.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Site(s) updated; failed: %1.</source>
        <translation>
            <numerusform>%n Site mis à jour ; en échec : %1.</numerusform>
            <numerusform>%n Sites mis à jour ; en échec : %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Meridan update</source>
        <translation>Mise à jour de Meridan</translation>
    </message>
</context>
<context>
    <name>meridan::CPrefsDlg</name>
    <message>
        <source>Executables (*);;All files (*)</source>
        <translation>Exécutables (*);;Tous les fichiers (*)</translation>
    </message>
</context>
<context>
    <name>meridan::OverviewModel</name>
    <message>
        <source>The last update failed:
%1</source>
        <translation>La dernière mise à jour a échoué :
%1</translation>
    </message>
</context>
</TS>
