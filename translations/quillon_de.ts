<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>quillon::AboutDialog</name>
    <message>
        <source>About Quillon</source>
        <translation>Über Quillon</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>quillon::CaseGroup</name>
    <message>
        <source>Case</source>
        <translation>Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>Smart</source>
        <translation>Intelligent</translation>
    </message>
    <message>
        <source>First letters</source>
        <translation>Wortanfänge groß</translation>
    </message>
    <message>
        <source>Lowercase</source>
        <translation>Kleinbuchstaben</translation>
    </message>
    <message>
        <source>Uppercase</source>
        <translation>Großbuchstaben</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Unverändert</translation>
    </message>
    <message>
        <source>Always capitalize:</source>
        <translation>Immer großschreiben:</translation>
    </message>
    <message>
        <source>Most first letters</source>
        <translation>Die meisten Wortanfänge</translation>
    </message>
    <message>
        <source>Small words</source>
        <translation>Kleine Wörter</translation>
    </message>
    <message>
        <source>Up to last delimiters</source>
        <translation>Bis zu den letzten Trennzeichen</translation>
    </message>
    <message>
        <source>Hyphenated terms</source>
        <translation>Mit Bindestrich</translation>
    </message>
    <message>
        <source>After commas</source>
        <translation>Nach Kommas</translation>
    </message>
    <message>
        <source>Unknown acronyms</source>
        <translation>Unbek. Akronyme</translation>
    </message>
    <message>
        <source>Known acro./words</source>
        <translation>Bek. Akron./Wörter</translation>
    </message>
</context>
<context>
    <name>quillon::CommandLine</name>
    <message>
        <source>quillon: unknown option: %1
Try &quot;quillon --help&quot;.
</source>
        <translation>quillon: unbekannte Option: %1
Mehr mit „quillon --help“.
</translation>
    </message>
    <message>
        <source>Usage: quillon [OPTION] [FOLDER | FILE...]
Renames the files of a folder in batches, with a preview of the new names.

Quillon opens FOLDER. Files of one folder open that folder with the mask set
to their names, so only they are listed; the first path decides the folder.
Without a path it opens your desktop folder, or your home folder.

  -h, --help         show this help and exit
  -v, -V, --version  show the version and exit
  --reset-settings   forget the window&apos;s size, place, folder and view, and exit
  --                 end of options: what follows are paths

Qt&apos;s own options (-style, -platform, -reverse and others) are accepted too.
</source>
        <translation>Aufruf: quillon [OPTION] [ORDNER | DATEI...]
Benennt die Dateien eines Ordners in einem Zug um, mit einer Vorschau der neuen Namen.

Quillon öffnet ORDNER. Dateien eines Ordners öffnen diesen Ordner mit ihren Namen als
Maske, sodass nur sie aufgeführt werden; der erste Pfad bestimmt den Ordner.
Ohne Pfad öffnet es Ihren Schreibtischordner oder Ihren persönlichen Ordner.

  -h, --help         diese Hilfe zeigen und beenden
  -v, -V, --version  die Version zeigen und beenden
  --reset-settings   Größe, Lage, Ordner und Ansicht des Fensters vergessen und beenden
  --                 Ende der Optionen: was folgt, sind Pfade

Die Optionen von Qt (-style, -platform, -reverse und andere) werden ebenfalls angenommen.
</translation>
    </message>
</context>
<context>
    <name>quillon::DiskMessages</name>
    <message>
        <source>No files to save.</source>
        <translation>Keine Dateien zu speichern.</translation>
    </message>
    <message>
        <source>Folder.items.count &lt;&gt; Preview.items.count

Changes cannot be saved. Click Reload.</source>
        <translation>Die Ordnerliste und die Vorschauliste stimmen nicht überein.

Die Änderungen können nicht gespeichert werden. Klicken Sie auf „Neu laden“.</translation>
    </message>
    <message>
        <source>Not ready yet. Proceed when
the &quot;Save&quot; is enabled.
</source>
        <translation>Noch nicht bereit. Fahren Sie fort,
sobald „Speichern“ verfügbar ist.
</translation>
    </message>
    <message>
        <source>Duplicate file names found:
 &gt; %1

Nothing written to disk.</source>
        <translation>Doppelte Dateinamen gefunden:
 &gt; %1

Es wurde nichts auf den Datenträger geschrieben.</translation>
    </message>
    <message>
        <source>Invalid file name found:
 &gt; %1

Nothing written to disk.</source>
        <translation>Ungültiger Dateiname gefunden:
 &gt; %1

Es wurde nichts auf den Datenträger geschrieben.</translation>
    </message>
    <message>
        <source>Another save or undo is running in this folder.

No file was renamed.</source>
        <translation>In diesem Ordner läuft bereits ein Speichern oder Rückgängigmachen.

Es wurde keine Datei umbenannt.</translation>
    </message>
    <message>
        <source>The undo file could not be written.

No file was renamed.</source>
        <translation>Das Rückgängig-Skript konnte nicht geschrieben werden.

Es wurde keine Datei umbenannt.</translation>
    </message>
    <message>
        <source>Your history of saves could not be written. Without an undo file it is the only way back.

No file was renamed.</source>
        <translation>Ihr Verlauf der Speicherungen konnte nicht geschrieben werden. Ohne Rückgängig-Skript ist er der einzige Weg zurück.

Es wurde keine Datei umbenannt.</translation>
    </message>
    <message>
        <source>The undo file could not be rewritten after renaming.

It still lists every planned rename; running it takes back those that were done.</source>
        <translation>Das Rückgängig-Skript konnte nach dem Umbenennen nicht neu geschrieben werden.

Es enthält weiterhin jede geplante Umbenennung; wenn Sie es ausführen, nimmt es die durchgeführten zurück.</translation>
    </message>
    <message>
        <source>cannot be renamed because it is currently used by
another program.</source>
        <translation>kann nicht umbenannt werden, weil sie gerade von
einem anderen Programm benutzt wird.</translation>
    </message>
    <message>
        <source>could not be renamed.</source>
        <translation>konnte nicht umbenannt werden.</translation>
    </message>
    <message>
        <source>This folder holds no undo file of Quillon&apos;s.</source>
        <translation>Dieser Ordner enthält kein Rückgängig-Skript von Quillon.</translation>
    </message>
    <message>
        <source>(changed since the save)</source>
        <translation>(seit dem Speichern verändert)</translation>
    </message>
    <message>
        <source>These files could not be renamed back:%1

The undo file was kept with them.</source>
        <translation>Diese Dateien konnten nicht zurückbenannt werden:%1

Das Rückgängig-Skript bleibt für sie erhalten.</translation>
    </message>
    <message>
        <source>The save was stopped: %1 of %2 files were renamed.</source>
        <translation>Das Speichern wurde angehalten: %1 von %2 Dateien wurden umbenannt.</translation>
    </message>
    <message>
        <source>File &gt; &quot;Undo Last Save&quot; takes them back. The list shows the folder as it is now.</source>
        <translation>Datei &gt; „Letztes Speichern rückgängig machen“ nimmt sie zurück. Die Liste zeigt den Ordner, wie er jetzt ist.</translation>
    </message>
    <message>
        <source>Undoing the save was stopped: %1 of %2 files were renamed back.</source>
        <translation>Das Rückgängigmachen wurde angehalten: %1 von %2 Dateien wurden zurückbenannt.</translation>
    </message>
    <message>
        <source>File &gt; &quot;Undo Last Save&quot; takes back the rest. The list shows the folder as it is now.</source>
        <translation>Datei &gt; „Letztes Speichern rückgängig machen“ nimmt den Rest zurück. Die Liste zeigt den Ordner, wie er jetzt ist.</translation>
    </message>
    <message>
        <source>The folder could not be read:
 &gt; %1

%2</source>
        <translation>Der Ordner konnte nicht gelesen werden:
 &gt; %1

%2</translation>
    </message>
    <message>
        <source>To number equal names, tick &quot;Number equal names&quot; and press &quot;OK&quot;.</source>
        <translation>Um gleiche Namen zu nummerieren, kreuzen Sie „Gleiche Namen nummerieren“ an und drücken Sie „OK“.</translation>
    </message>
</context>
<context>
    <name>quillon::FileLists</name>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Folder list</source>
        <translation>Ordnerliste</translation>
    </message>
    <message>
        <source>Preview list</source>
        <translation>Vorschauliste</translation>
    </message>
    <message>
        <source>Old and new names</source>
        <translation>Alte und neue Namen</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>Aus&amp;wahl</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Unselect All</source>
        <translation>Keine auswählen</translation>
    </message>
    <message>
        <source>Invert All</source>
        <translation>Auswahl umkehren</translation>
    </message>
    <message>
        <source>&amp;Reload and Sort</source>
        <translation>&amp;Neu laden und sortieren</translation>
    </message>
    <message>
        <source>By &amp;File Name</source>
        <translation>Nach Datei&amp;namen</translation>
    </message>
    <message>
        <source>By &amp;Date and Time</source>
        <translation>Nach &amp;Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>&amp;Rename File</source>
        <translation>Datei &amp;umbenennen</translation>
    </message>
    <message>
        <source>By Date &amp;Taken</source>
        <translation>Nach A&amp;ufnahmedatum</translation>
    </message>
    <message>
        <source>By &amp;Modification Time</source>
        <translation>Nach Änderungs&amp;zeit</translation>
    </message>
    <message>
        <source>By Name, &amp;Numbers as Numbers</source>
        <translation>Nach Namen, Z&amp;ahlen als Zahlen</translation>
    </message>
</context>
<context>
    <name>quillon::HelpWindow</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Title - Artist ==&gt; Artist - Title</source>
        <translation>Titel - Interpret ==&gt; Interpret - Titel</translation>
    </message>
    <message>
        <source>Title (Artist) ==&gt; Artist - Title</source>
        <translation>Titel (Interpret) ==&gt; Interpret - Titel</translation>
    </message>
    <message>
        <source>Artist - Title ==&gt; (Artist) Title</source>
        <translation>Interpret - Titel ==&gt; (Interpret) Titel</translation>
    </message>
    <message>
        <source>Title (Album - Artist) ==&gt; Artist - Album - Title</source>
        <translation>Titel (Album - Interpret) ==&gt; Interpret - Album - Titel</translation>
    </message>
    <message>
        <source>Title - Artist ==&gt; Title</source>
        <translation>Titel - Interpret ==&gt; Titel</translation>
    </message>
    <message>
        <source>Title - Artist ==&gt; Artist - &quot;Hello&quot; - Title</source>
        <translation>Titel - Interpret ==&gt; Interpret - „Hello“ - Titel</translation>
    </message>
    <message>
        <source>Cats and Dogs ==&gt; Dogs and Cats</source>
        <translation>Cats and Dogs ==&gt; Dogs and Cats</translation>
    </message>
    <message>
        <source>File Numbering</source>
        <translation>Nummerierung</translation>
    </message>
    <message>
        <source>Start from one. Automatic padding.</source>
        <translation>Ab eins. Automatisch mit Nullen aufgefüllt.</translation>
    </message>
    <message>
        <source>Start from one. No padding.</source>
        <translation>Ab eins. Ohne Auffüllen.</translation>
    </message>
    <message>
        <source>Start from 001. Manual padding.</source>
        <translation>Ab 001. Von Hand aufgefüllt.</translation>
    </message>
    <message>
        <source>Replacements</source>
        <translation>Ersetzungen</translation>
    </message>
    <message>
        <source>Replace file names by &quot;Text&quot;.</source>
        <translation>Dateinamen durch „Text“ ersetzen.</translation>
    </message>
    <message>
        <source>Insert file names.</source>
        <translation>Dateinamen einsetzen.</translation>
    </message>
    <message>
        <source>Delete extensions.</source>
        <translation>Endungen löschen.</translation>
    </message>
    <message>
        <source>Replace extensions by &quot;txt&quot;.</source>
        <translation>Endungen durch „txt“ ersetzen.</translation>
    </message>
    <message>
        <source>Examples</source>
        <translation>Beispiele</translation>
    </message>
    <message>
        <source>Insert numbers before file names.</source>
        <translation>Nummern vor die Dateinamen setzen.</translation>
    </message>
    <message>
        <source>Insert &quot;Text&quot; before numbers.</source>
        <translation>„Text“ vor die Nummern setzen.</translation>
    </message>
    <message>
        <source>&quot;Text&quot; - Numbers - File names.</source>
        <translation>„Text“ - Nummern - Dateinamen.</translation>
    </message>
    <message>
        <source>&lt;p&gt;Each field of the file names must be entered as &lt;span style=&apos;color:brown&apos;&gt;/n/&lt;/span&gt;, where n is an integer from 1 to 9. Delimiters must also be specified.&lt;/p&gt;&lt;p&gt;&lt;span style=&apos;color:navy&apos;&gt;Current format:&lt;/span&gt; The first field is &lt;span style=&apos;color:brown&apos;&gt;/1/&lt;/span&gt;, the second field is &lt;span style=&apos;color:brown&apos;&gt;/2/&lt;/span&gt;, and so on. &lt;span style=&apos;color:brown&apos;&gt;/n/&lt;/span&gt; may be abbreviated to a single slash. Hence, if the format is &lt;span style=&apos;color:brown&apos;&gt;Title&amp;nbsp;-&amp;nbsp;Artist&lt;/span&gt;, enter either &lt;span style=&apos;color:brown&apos;&gt;/1/&amp;nbsp;-&amp;nbsp;/2/&lt;/span&gt; or &lt;span style=&apos;color:brown&apos;&gt;/&amp;nbsp;-&amp;nbsp;/&lt;/span&gt; in the first box.&lt;/p&gt;&lt;p&gt;&lt;span style=&apos;color:navy&apos;&gt;New format:&lt;/span&gt; If you want &lt;span style=&apos;color:brown&apos;&gt;Title&amp;nbsp;-&amp;nbsp;Artist&lt;/span&gt; to become &lt;span style=&apos;color:brown&apos;&gt;Artist&amp;nbsp;-&amp;nbsp;Title&lt;/span&gt;, enter &lt;span style=&apos;color:brown&apos;&gt;/2/&amp;nbsp;-&amp;nbsp;/1/&lt;/span&gt; in the second box.&lt;/p&gt;&lt;p&gt;You may also delete (e.g., enter &lt;span style=&apos;color:brown&apos;&gt;/2/&lt;/span&gt; instead of &lt;span style=&apos;color:brown&apos;&gt;/2/&amp;nbsp;-&amp;nbsp;/1/&lt;/span&gt;) or insert (e.g., enter &lt;span style=&apos;color:brown&apos;&gt;/2/&amp;nbsp;-&amp;nbsp;Hello&amp;nbsp;-&amp;nbsp;/1/&lt;/span&gt; instead of &lt;span style=&apos;color:brown&apos;&gt;/2/&amp;nbsp;-&amp;nbsp;/1/&lt;/span&gt;) fields.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Jedes Feld der Dateinamen wird als &lt;span style=&apos;color:brown&apos;&gt;/n/&lt;/span&gt; eingegeben, wobei n eine ganze Zahl von 1 bis 9 ist. Auch die Trennzeichen müssen angegeben werden.&lt;/p&gt;&lt;p&gt;&lt;span style=&apos;color:navy&apos;&gt;Bisheriges Format:&lt;/span&gt; Das erste Feld ist &lt;span style=&apos;color:brown&apos;&gt;/1/&lt;/span&gt;, das zweite &lt;span style=&apos;color:brown&apos;&gt;/2/&lt;/span&gt; und so weiter. &lt;span style=&apos;color:brown&apos;&gt;/n/&lt;/span&gt; lässt sich zu einem einzelnen Schrägstrich abkürzen. Lautet das Format also &lt;span style=&apos;color:brown&apos;&gt;Titel&amp;nbsp;-&amp;nbsp;Interpret&lt;/span&gt;, geben Sie im ersten Feld &lt;span style=&apos;color:brown&apos;&gt;/1/&amp;nbsp;-&amp;nbsp;/2/&lt;/span&gt; oder &lt;span style=&apos;color:brown&apos;&gt;/&amp;nbsp;-&amp;nbsp;/&lt;/span&gt; ein.&lt;/p&gt;&lt;p&gt;&lt;span style=&apos;color:navy&apos;&gt;Neues Format:&lt;/span&gt; Soll aus &lt;span style=&apos;color:brown&apos;&gt;Titel&amp;nbsp;-&amp;nbsp;Interpret&lt;/span&gt; der Name &lt;span style=&apos;color:brown&apos;&gt;Interpret&amp;nbsp;-&amp;nbsp;Titel&lt;/span&gt; werden, geben Sie im zweiten Feld &lt;span style=&apos;color:brown&apos;&gt;/2/&amp;nbsp;-&amp;nbsp;/1/&lt;/span&gt; ein.&lt;/p&gt;&lt;p&gt;Sie können Felder auch weglassen (geben Sie z.&amp;nbsp;B. &lt;span style=&apos;color:brown&apos;&gt;/2/&lt;/span&gt; statt &lt;span style=&apos;color:brown&apos;&gt;/2/&amp;nbsp;-&amp;nbsp;/1/&lt;/span&gt; ein) oder einfügen (geben Sie z.&amp;nbsp;B. &lt;span style=&apos;color:brown&apos;&gt;/2/&amp;nbsp;-&amp;nbsp;Hello&amp;nbsp;-&amp;nbsp;/1/&lt;/span&gt; statt &lt;span style=&apos;color:brown&apos;&gt;/2/&amp;nbsp;-&amp;nbsp;/1/&lt;/span&gt; ein).&lt;/p&gt;</translation>
    </message>
    <message>
        <source>HelpForm</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Reformatting File Names</source>
        <translation>Dateinamen umstellen</translation>
    </message>
    <message>
        <source>Examples:</source>
        <translation>Beispiele:</translation>
    </message>
    <message>
        <source>Click on the examples below to fill out the boxes.</source>
        <translation>Ein Klick auf ein Beispiel füllt die Felder aus.</translation>
    </message>
    <message>
        <source>Numbering and File Name Replacement</source>
        <translation>Nummerieren und Dateinamen ersetzen</translation>
    </message>
    <message>
        <source>Enter an asterisk (*) in the first box. What follows must be entered</source>
        <translation>Geben Sie im ersten Feld einen Stern (*) ein. Was folgt, gehört</translation>
    </message>
    <message>
        <source>in the second box. Click on the examples to fill out the boxes.</source>
        <translation>ins zweite Feld. Ein Klick auf ein Beispiel füllt die Felder aus.</translation>
    </message>
</context>
<context>
    <name>quillon::MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>Sort by &amp;File Name</source>
        <translation>Nach Datei&amp;namen sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;Date</source>
        <translation>Nach &amp;Datum sortieren</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Undo Last Save</source>
        <translation>&amp;Letztes Speichern rückgängig machen</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Folder</source>
        <translation>&amp;Ordner</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>&amp;Old and New Names</source>
        <translation>&amp;Alte und neue Namen</translation>
    </message>
    <message>
        <source>&amp;Reset List</source>
        <translation>Liste &amp;zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;Wizard</source>
        <translation>A&amp;ssistent</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>Aus&amp;wahl</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Alle auswählen</translation>
    </message>
    <message>
        <source>&amp;Unselect All</source>
        <translation>&amp;Keine auswählen</translation>
    </message>
    <message>
        <source>&amp;Invert All</source>
        <translation>Auswahl &amp;umkehren</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über Quillon</translation>
    </message>
    <message>
        <source>By Date &amp;Taken</source>
        <translation>Nach A&amp;ufnahmedatum</translation>
    </message>
    <message>
        <source>By &amp;Modification Time</source>
        <translation>Nach Änderungs&amp;zeit</translation>
    </message>
    <message>
        <source>By Name, &amp;Numbers as Numbers</source>
        <translation>Nach Namen, Z&amp;ahlen als Zahlen</translation>
    </message>
</context>
<context>
    <name>quillon::MainWindow</name>
    <message>
        <source>Smart capitalization.</source>
        <translation>Intelligente Groß- und Kleinschreibung.</translation>
    </message>
    <message>
        <source>First letters except &quot;Small words.&quot;</source>
        <translation>Anfangsbuchstaben groß, außer bei „kleinen Wörtern“.</translation>
    </message>
    <message>
        <source>Most words up to the last delimiters.</source>
        <translation>Die meisten Wörter bis zu den letzten Trennzeichen.</translation>
    </message>
    <message>
        <source>Articles, prepositions, and
coordinate conjunctions.</source>
        <translation>Artikel, Präpositionen und
nebenordnende Konjunktionen.</translation>
    </message>
    <message>
        <source>Second elements of
hyphenated terms.</source>
        <translation>Zweite Glieder von
Wörtern mit Bindestrich.</translation>
    </message>
    <message>
        <source>Words following commas.</source>
        <translation>Wörter nach einem Komma.</translation>
    </message>
    <message>
        <source>Known words (including acronyms), and initialisms.</source>
        <translation>Bekannte Wörter (auch Akronyme) und Abkürzungen.</translation>
    </message>
    <message>
        <source>Unknown &quot;acronyms&quot; (initialisms).</source>
        <translation>Unbekannte „Akronyme“ (Abkürzungen).</translation>
    </message>
    <message>
        <source>First-letter capitalization.</source>
        <translation>Alle Anfangsbuchstaben groß.</translation>
    </message>
    <message>
        <source>Lowercase letters.</source>
        <translation>Kleinbuchstaben.</translation>
    </message>
    <message>
        <source>Uppercase letters.</source>
        <translation>Großbuchstaben.</translation>
    </message>
    <message>
        <source>No change. Unsaved string
replacements will be lost</source>
        <translation>Keine Änderung. Nicht gespeicherte
Ersetzungen gehen verloren</translation>
    </message>
    <message>
        <source>Options.</source>
        <translation>Optionen.</translation>
    </message>
    <message>
        <source>Enter the search string.
See Help for reformatting
and numbering.</source>
        <translation>Geben Sie den Suchtext ein.
Zum Umstellen und Nummerieren
siehe Hilfe.</translation>
    </message>
    <message>
        <source>Enter the replacement string.
See Help for reformatting
and numbering.</source>
        <translation>Geben Sie den Ersatztext ein.
Zum Umstellen und Nummerieren
siehe Hilfe.</translation>
    </message>
    <message>
        <source>Clear the &quot;Replace&quot; and
&quot;With&quot; edit boxes.</source>
        <translation>Die Felder „Ersetzen“ und
„Durch“ leeren.</translation>
    </message>
    <message>
        <source>Shortcut: %1</source>
        <translation>Tastenkürzel: %1</translation>
    </message>
    <message>
        <source>Wizard.</source>
        <translation>Assistent.</translation>
    </message>
    <message>
        <source>Case-sensitive search.</source>
        <translation>Beim Suchen Groß- und Kleinschreibung beachten.</translation>
    </message>
    <message>
        <source>Update the preview list.</source>
        <translation>Die Vorschauliste aktualisieren.</translation>
    </message>
    <message>
        <source>Undo the last change
made to the preview list.</source>
        <translation>Die letzte Änderung an der
Vorschauliste zurücknehmen.</translation>
    </message>
    <message>
        <source>Undo all changes made
to the preview list.</source>
        <translation>Alle Änderungen an der
Vorschauliste zurücknehmen.</translation>
    </message>
    <message>
        <source>Update case after replacements.</source>
        <translation>Nach dem Ersetzen die Groß-/Kleinschreibung anpassen.</translation>
    </message>
    <message>
        <source>Click if you want to perform
operations on file names.</source>
        <translation>Klicken, um die Schritte auf
die Dateinamen anzuwenden.</translation>
    </message>
    <message>
        <source>Click if you do not want to perform
operations on file names.</source>
        <translation>Klicken, um die Schritte nicht auf
die Dateinamen anzuwenden.</translation>
    </message>
    <message>
        <source>Click if you want to perform
operations on extensions.</source>
        <translation>Klicken, um die Schritte auf
die Endungen anzuwenden.</translation>
    </message>
    <message>
        <source>Click if you do not want to perform
operations on extensions.</source>
        <translation>Klicken, um die Schritte nicht auf
die Endungen anzuwenden.</translation>
    </message>
    <message>
        <source>Enter the position of the first character to
be deleted. Counting left to right, the
position of first character is one. Counting
right to left, the position of the last character
is -1, the position of the character before it is
-2, and so on.</source>
        <translation>Geben Sie die Position des ersten zu
löschenden Zeichens ein. Von links gezählt
hat das erste Zeichen die Position 1. Von
rechts gezählt hat das letzte Zeichen die
Position -1, das Zeichen davor die Position
-2 und so weiter.</translation>
    </message>
    <message>
        <source>Enter the number of characters
to be deleted.</source>
        <translation>Geben Sie die Anzahl der zu
löschenden Zeichen ein.</translation>
    </message>
    <message>
        <source>Delete a substring of the
specified length (Length) at
the specified position (Pos).</source>
        <translation>Eine Zeichenfolge der angegebenen
Länge (Länge) an der angegebenen
Position (Pos.) löschen.</translation>
    </message>
    <message>
        <source>Enter the position at which you want to insert a
string.  Counting left to right, the position of the
first character is one.  Counting right to left, the
position after the last character is zero,  the po-
sition of the last character is -1,  and so on.</source>
        <translation>Geben Sie die Position ein, an der Sie einen Text
einfügen möchten.  Von links gezählt hat das erste
Zeichen die Position 1.  Von rechts gezählt hat die
Stelle nach dem letzten Zeichen die Position 0,  das
letzte Zeichen die Position -1  und so weiter.</translation>
    </message>
    <message>
        <source>Enter the string to be inserted.</source>
        <translation>Geben Sie den einzufügenden Text ein.</translation>
    </message>
    <message>
        <source>Insert the specified string (String)
at the specified position (Pos).</source>
        <translation>Den angegebenen Text (Text) an der
angegebenen Position (Pos.) einfügen.</translation>
    </message>
    <message>
        <source>Replace %20 and _ with spaces</source>
        <translation>%20 und _ durch Leerzeichen ersetzen</translation>
    </message>
    <message>
        <source>Delete digits</source>
        <translation>Ziffern löschen</translation>
    </message>
    <message>
        <source>Delete extra spaces</source>
        <translation>Leerzeichen bereinigen</translation>
    </message>
    <message>
        <source>Help.</source>
        <translation>Hilfe.</translation>
    </message>
    <message>
        <source>Reload from disk.</source>
        <translation>Neu vom Datenträger laden.</translation>
    </message>
    <message>
        <source>Enter a new mask and hit the Enter key.
Unsaved string replacements will be lost.</source>
        <translation>Geben Sie eine neue Maske ein und drücken Sie die Eingabetaste.
Nicht gespeicherte Ersetzungen gehen verloren.</translation>
    </message>
    <message>
        <source>Reset the mask to *.* and
reload. Unsaved string
replacements will be lost.</source>
        <translation>Die Maske auf *.* zurücksetzen
und neu laden. Nicht gespeicherte
Ersetzungen gehen verloren.</translation>
    </message>
    <message>
        <source>Save to disk.</source>
        <translation>Auf dem Datenträger speichern.</translation>
    </message>
    <message>
        <source>Cumulate replacements.</source>
        <translation>Ersetzungen kumulieren.</translation>
    </message>
    <message>
        <source>Preview list/Folder list</source>
        <translation>Vorschauliste/Ordnerliste</translation>
    </message>
    <message>
        <source>Right click to display
the contextual menu.</source>
        <translation>Rechtsklick öffnet
das Kontextmenü.</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>OnStart</source>
        <translation>Beim Start</translation>
    </message>
    <message>
        <source>Only %1 is shown; left out: %2</source>
        <translation>Nur %1 wird gezeigt; weggelassen: %2</translation>
    </message>
    <message>
        <source>In the With text: %1.</source>
        <translation>Im Feld „Durch“: %1.</translation>
    </message>
    <message>
        <source>In the Replace text: %1.</source>
        <translation>Im Feld „Ersetzen“: %1.</translation>
    </message>
    <message>
        <source>At position %1 of the With text: %2.</source>
        <translation>An Position %1 im Feld „Durch“: %2.</translation>
    </message>
    <message>
        <source>At position %1 of the Replace text: %2.</source>
        <translation>An Position %1 im Feld „Ersetzen“: %2.</translation>
    </message>
    <message>
        <source>No name was changed.</source>
        <translation>Es wurde kein Name geändert.</translation>
    </message>
    <message>
        <source>Files that kept their name: %1. A field their new name needs is missing: %2.</source>
        <translation>Dateien, die ihren Namen behalten haben: %1. Es fehlt ein Feld, das ihr neuer Name braucht: %2.</translation>
    </message>
    <message>
        <source>The Replace text is a regular expression;
$1 to $9 in the With text stand for its groups.</source>
        <translation>Der Text in „Ersetzen“ ist ein regulärer Ausdruck;
$1 bis $9 in „Durch“ stehen für seine Gruppen.</translation>
    </message>
    <message>
        <source>Files that could not be read: %1.</source>
        <translation>Dateien, die nicht gelesen werden konnten: %1.</translation>
    </message>
    <message>
        <source>Give names that would be equal &quot; (2)&quot;, &quot; (3)&quot; ...
before the extension, so that they can be saved.</source>
        <translation>Gibt Namen, die gleich wären, „ (2)“, „ (3)“ ...
vor der Endung, damit sie gespeichert werden können.</translation>
    </message>
</context>
<context>
    <name>quillon::PresetsDialog</name>
    <message>
        <source>Manage Presets</source>
        <translation>Vorlagen verwalten</translation>
    </message>
    <message>
        <source>&amp;Rename…</source>
        <translation>&amp;Umbenennen…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Open Folder</source>
        <translation>Ordner ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Rename Preset</source>
        <translation>Vorlage umbenennen</translation>
    </message>
    <message>
        <source>New name:</source>
        <translation>Neuer Name:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a preset: it must not be empty, begin with &quot;.&quot; or hold &quot;/&quot;.</source>
        <translation>„%1“ kann nicht der Name einer Vorlage sein: Er darf nicht leer sein, nicht mit „.“ beginnen und kein „/“ enthalten.</translation>
    </message>
    <message>
        <source>A preset named &quot;%1&quot; exists already.</source>
        <translation>Eine Vorlage namens „%1“ gibt es bereits.</translation>
    </message>
    <message>
        <source>The preset could not be renamed:
%1</source>
        <translation>Die Vorlage konnte nicht umbenannt werden:
%1</translation>
    </message>
    <message>
        <source>Delete the preset &quot;%1&quot;?</source>
        <translation>Die Vorlage „%1“ löschen?</translation>
    </message>
    <message>
        <source>The preset could not be deleted:
%1</source>
        <translation>Die Vorlage konnte nicht gelöscht werden:
%1</translation>
    </message>
</context>
<context>
    <name>quillon::PresetsMenu</name>
    <message>
        <source>&amp;Presets</source>
        <translation>&amp;Vorlagen</translation>
    </message>
    <message>
        <source>Save Current Settings As…</source>
        <translation>Aktuelle Einstellungen speichern unter…</translation>
    </message>
    <message>
        <source>Manage Presets…</source>
        <translation>Vorlagen verwalten…</translation>
    </message>
    <message>
        <source>Save Current Settings As</source>
        <translation>Aktuelle Einstellungen speichern unter</translation>
    </message>
    <message>
        <source>Preset name:</source>
        <translation>Name der Vorlage:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a preset: it must not be empty, begin with &quot;.&quot; or hold &quot;/&quot;.</source>
        <translation>„%1“ kann nicht der Name einer Vorlage sein: Er darf nicht leer sein, nicht mit „.“ beginnen und kein „/“ enthalten.</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>A preset named &quot;%1&quot; exists. Replace it?</source>
        <translation>Eine Vorlage namens „%1“ gibt es schon. Ersetzen?</translation>
    </message>
    <message>
        <source>The preset could not be saved to %1:
%2</source>
        <translation>Die Vorlage konnte nicht in %1 gespeichert werden:
%2</translation>
    </message>
    <message>
        <source>The preset was not used:
%1</source>
        <translation>Die Vorlage wurde nicht verwendet:
%1</translation>
    </message>
</context>
<context>
    <name>quillon::OldNewListModel</name>
    <message>
        <source>%1, renamed to %2</source>
        <translation>%1, umbenannt in %2</translation>
    </message>
    <message>
        <source>Old Name</source>
        <translation>Alter Name</translation>
    </message>
    <message>
        <source>New Name</source>
        <translation>Neuer Name</translation>
    </message>
</context>
<context>
    <name>quillon::PreviewListModel</name>
    <message>
        <source>Kept its name: the file has no %1.</source>
        <translation>Name beibehalten: der Datei fehlt %1.</translation>
    </message>
    <message>
        <source>Kept its name: the file could not be read.</source>
        <translation>Name beibehalten: die Datei konnte nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>quillon::Refusals</name>
    <message>
        <source>File Name Replacement:
Invalid character (*) in extension.</source>
        <translation>Dateinamen ersetzen:
Ungültiges Zeichen (*) in der Endung.</translation>
    </message>
    <message>
        <source>File Name Replacement:
Extension specified more than once.</source>
        <translation>Dateinamen ersetzen:
Endung mehr als einmal angegeben.</translation>
    </message>
    <message>
        <source>File Name Replacement:
Missing slash (/.) after extension.</source>
        <translation>Dateinamen ersetzen:
Schrägstrich (/.) nach der Endung fehlt.</translation>
    </message>
    <message>
        <source>File Name Replacement:
Invalid character (.) in extension.</source>
        <translation>Dateinamen ersetzen:
Ungültiges Zeichen (.) in der Endung.</translation>
    </message>
    <message>
        <source>Numbering: Number expected after /n.</source>
        <translation>Nummerieren: Nach /n wird eine Zahl erwartet.</translation>
    </message>
    <message>
        <source>Numbering: Number expected but // found.</source>
        <translation>Nummerieren: Zahl erwartet, aber // gefunden.</translation>
    </message>
    <message>
        <source>Numbering: Too many parameters (/).</source>
        <translation>Nummerieren: Zu viele Parameter (/).</translation>
    </message>
    <message>
        <source>Numbering: Incorrect starting number.</source>
        <translation>Nummerieren: Ungültige Startnummer.</translation>
    </message>
    <message>
        <source>Numbering: Incorrect starting number.
Second slash not found.</source>
        <translation>Nummerieren: Ungültige Startnummer.
Zweiter Schrägstrich nicht gefunden.</translation>
    </message>
    <message>
        <source>File Name Replacement:
Only one asterisk (*) allowed.</source>
        <translation>Dateinamen ersetzen:
Nur ein Stern (*) ist erlaubt.</translation>
    </message>
    <message>
        <source>Delete: You must enter an integer in the range
of 1 to 255 (Counting left to right) or -1 to -255
(Counting right to left) in the first box.</source>
        <translation>Löschen: Geben Sie im ersten Feld eine ganze Zahl
von 1 bis 255 (von links gezählt) oder von -1 bis -255
(von rechts gezählt) ein.</translation>
    </message>
    <message>
        <source>Delete: You must enter an integer in
the range of 1 to 255 in the second box.</source>
        <translation>Löschen: Geben Sie im zweiten Feld eine
ganze Zahl von 1 bis 255 ein.</translation>
    </message>
    <message>
        <source>Regular replacement: The star (*) and
slash (/) characters cannot be used.</source>
        <translation>Normales Ersetzen: Stern (*) und
Schrägstrich (/) sind nicht erlaubt.</translation>
    </message>
    <message>
        <source>Reformatting: The star (*)
character cannot be used.</source>
        <translation>Umstellen: Der Stern (*)
ist nicht erlaubt.</translation>
    </message>
    <message>
        <source>Insert: You must enter an integer in the range
of 1 to 255 (Counting left to right) or 0 to -255
(Counting right to left) in the first box.</source>
        <translation>Einfügen: Geben Sie im ersten Feld eine ganze Zahl
von 1 bis 255 (von links gezählt) oder von 0 bis -255
(von rechts gezählt) ein.</translation>
    </message>
    <message>
        <source>Regular expression: The expression is not valid.</source>
        <translation>Regulärer Ausdruck: Der Ausdruck ist ungültig.</translation>
    </message>
    <message>
        <source>Regular expression: The expression is too costly to run on the file:</source>
        <translation>Regulärer Ausdruck: Der Ausdruck ist zu aufwendig für die Datei:</translation>
    </message>
    <message>
        <source>Fields: Unknown field or format between &lt; and &gt;.
Known fields: &lt;artist&gt;, &lt;albumartist&gt;, &lt;title&gt;, &lt;album&gt;,
&lt;track&gt;, &lt;disc&gt;, &lt;year&gt;, &lt;genre&gt;, &lt;taken&gt;, &lt;modified&gt;,
&lt;camera&gt;, &lt;width&gt;, &lt;height&gt;.</source>
        <translation>Felder: Unbekanntes Feld oder Format zwischen &lt; und &gt;.
Bekannte Felder: &lt;artist&gt;, &lt;albumartist&gt;, &lt;title&gt;, &lt;album&gt;,
&lt;track&gt;, &lt;disc&gt;, &lt;year&gt;, &lt;genre&gt;, &lt;taken&gt;, &lt;modified&gt;,
&lt;camera&gt;, &lt;width&gt;, &lt;height&gt;.</translation>
    </message>
</context>
<context>
    <name>quillon::RenameDialog</name>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Update case</source>
        <translation>Groß-/Kleinschreibung anpassen</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>New name</source>
        <translation>Neuer Name</translation>
    </message>
</context>
<context>
    <name>quillon::ReplaceGroup</name>
    <message>
        <source>Replace/Reformat/Number</source>
        <translation>Ersetzen/Umstellen/Nummerieren</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Replace:</source>
        <translation>Ersetzen:</translation>
    </message>
    <message>
        <source>With:</source>
        <translation>Durch:</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Pos:</source>
        <translation>Pos.:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Länge:</translation>
    </message>
    <message>
        <source>String:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Update case</source>
        <translation>Groß-/Kleinschreibung anpassen</translation>
    </message>
    <message>
        <source>Cumulate</source>
        <translation>Kumulieren</translation>
    </message>
    <message>
        <source>%20 and _ to spaces</source>
        <translation>%20 und _ zu Leerzeichen</translation>
    </message>
    <message>
        <source>Delete digits</source>
        <translation>Ziffern löschen</translation>
    </message>
    <message>
        <source>Delete extra spaces</source>
        <translation>Leerzeichen bereinigen</translation>
    </message>
    <message>
        <source>Delete position</source>
        <translation>Löschposition</translation>
    </message>
    <message>
        <source>Insert position</source>
        <translation>Einfügeposition</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Regulärer Ausdruck</translation>
    </message>
    <message>
        <source>Number equal names</source>
        <translation>Gleiche Namen nummerieren</translation>
    </message>
</context>
<context>
    <name>quillon::SaveCommands</name>
    <message>
        <source>The command failed: %1</source>
        <translation>Der Befehl ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Files renamed before the failure keep their new names; the list shows the folder as it is now.</source>
        <translation>Vor dem Fehler umbenannte Dateien behalten ihre neuen Namen; die Liste zeigt den Ordner, wie er jetzt ist.</translation>
    </message>
    <message>
        <source>This save could not be kept in your history (%1); the undo file in the folder takes it back.</source>
        <translation>Diese Speicherung konnte nicht in Ihren Verlauf aufgenommen werden (%1); das Rückgängig-Skript im Ordner nimmt sie zurück.</translation>
    </message>
</context>
<context>
    <name>quillon::SaveConfirmDialog</name>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Do you want to rename these files?</source>
        <translation>Möchten Sie diese Dateien umbenennen?</translation>
    </message>
    <message>
        <source>Create an undo file.</source>
        <translation>Ein Rückgängig-Skript anlegen.</translation>
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
    <name>quillon::TopStrip</name>
    <message>
        <source>Mask:</source>
        <translation>Maske:</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stop the work in progress (Esc).</source>
        <translation>Die laufende Arbeit abbrechen (Esc).</translation>
    </message>
</context>
<context>
    <name>quillon::UserQuestions</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Do you want to rename the files of the last save back?</source>
        <translation>Möchten Sie die Dateien des letzten Speicherns zurückbenennen?</translation>
    </message>
    <message>
        <source>The undo file in this folder is not in your history: it was made by another user or on another machine. Its names were checked and stay inside this folder.

Do you want to rename its files back?</source>
        <translation>Das Rückgängig-Skript in diesem Ordner steht nicht in Ihrem Verlauf: Es wurde von einem anderen Benutzer oder auf einem anderen Rechner erstellt. Seine Namen wurden geprüft und bleiben in diesem Ordner.

Möchten Sie seine Dateien zurückbenennen?</translation>
    </message>
</context>
<context>
    <name>quillon::WizardDeletePage</name>
    <message>
        <source>This feature deletes a substring of n characters starting at the specified position.</source>
        <translation>Diese Funktion löscht ab der angegebenen Position eine Zeichenfolge aus n Zeichen.</translation>
    </message>
    <message>
        <source>Delete Substring</source>
        <translation>Zeichenfolge löschen</translation>
    </message>
    <message>
        <source>Select the substring. What matters is not the substring itself but its position and length.</source>
        <translation>Markieren Sie die Zeichenfolge. Es zählt nicht die Zeichenfolge selbst, sondern ihre Position und Länge.</translation>
    </message>
    <message>
        <source>Should the position of the substring be relative to the beginning or the end of the file names?</source>
        <translation>Soll die Position der Zeichenfolge vom Anfang oder vom Ende der Dateinamen aus zählen?</translation>
    </message>
    <message>
        <source>Beginning</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Click on OK when done to fill out the &quot;Pos&quot; and &quot;Length&quot; boxes.</source>
        <translation>Klicken Sie danach auf OK, um die Felder „Pos.“ und „Länge“ auszufüllen.</translation>
    </message>
</context>
<context>
    <name>quillon::WizardDialog</name>
    <message>
        <source>Wizard</source>
        <translation>Assistent</translation>
    </message>
    <message>
        <source>Wizard pages</source>
        <translation>Seiten des Assistenten</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummerieren</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Reformat</source>
        <translation>Umstellen</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Endung</translation>
    </message>
    <message>
        <source>Tags</source>
        <translation>Tags</translation>
    </message>
</context>
<context>
    <name>quillon::WizardExtensionPage</name>
    <message>
        <source>This feature replaces all file names&apos; extensions. Do not enter anything if you want to delete the extensions.</source>
        <translation>Diese Funktion ersetzt die Endungen aller Dateinamen. Lassen Sie das Feld leer, um die Endungen zu löschen.</translation>
    </message>
    <message>
        <source>New Extension</source>
        <translation>Neue Endung</translation>
    </message>
    <message>
        <source>Do not type a period as part of the extension. For example, type &quot;mpg&quot; not &quot;.mpg&quot;.</source>
        <translation>Geben Sie die Endung ohne Punkt ein, also zum Beispiel „mpg“ und nicht „.mpg“.</translation>
    </message>
    <message>
        <source>New extension:</source>
        <translation>Neue Endung:</translation>
    </message>
    <message>
        <source>Click on OK when done to fill out the &quot;Replace&quot; and &quot;With&quot; boxes.</source>
        <translation>Klicken Sie danach auf OK, um die Felder „Ersetzen“ und „Durch“ auszufüllen.</translation>
    </message>
    <message>
        <source>If you want to rename only one extension</source>
        <translation>Wenn Sie nur eine Art von Endung umbenennen</translation>
    </message>
    <message>
        <source>type, close the wizard.   Enter the current</source>
        <translation>möchten, schließen Sie den Assistenten.   Geben Sie</translation>
    </message>
    <message>
        <source>extension type in the &quot;Replace&quot; box and</source>
        <translation>die bisherige Endung im Feld „Ersetzen“ und</translation>
    </message>
    <message>
        <source>the new extension type in the &quot;With&quot; box.</source>
        <translation>die neue Endung im Feld „Durch“ ein.</translation>
    </message>
    <message>
        <source>Do not forget to select</source>
        <translation>Wählen Sie dabei</translation>
    </message>
    <message>
        <source>and</source>
        <translation>und</translation>
    </message>
    <message>
        <source>.</source>
        <translation>.</translation>
    </message>
</context>
<context>
    <name>quillon::WizardInsertPage</name>
    <message>
        <source>This feature inserts a string at the specified position.</source>
        <translation>Diese Funktion fügt an der angegebenen Position einen Text ein.</translation>
    </message>
    <message>
        <source>Insert String</source>
        <translation>Text einfügen</translation>
    </message>
    <message>
        <source>Click where you want to insert a string:</source>
        <translation>Klicken Sie dorthin, wo der Text eingefügt werden soll:</translation>
    </message>
    <message>
        <source>Enter the string:</source>
        <translation>Geben Sie den Text ein:</translation>
    </message>
    <message>
        <source>Should the position of the string be relative to the beginning or the end of the file names?</source>
        <translation>Soll die Position des Textes vom Anfang oder vom Ende der Dateinamen aus zählen?</translation>
    </message>
    <message>
        <source>Beginning</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Click on OK when done to fill out the &quot;Pos&quot; and &quot;Str&quot; boxes.</source>
        <translation>Klicken Sie danach auf OK, um die Felder „Pos.“ und „Text“ auszufüllen.</translation>
    </message>
</context>
<context>
    <name>quillon::WizardNumberPage</name>
    <message>
        <source>This feature adds sequential numbers to file names.</source>
        <translation>Diese Funktion versieht die Dateinamen mit fortlaufenden Nummern.</translation>
    </message>
    <message>
        <source>Click on OK when done to fill out the &quot;Replace&quot; and &quot;With&quot; boxes.</source>
        <translation>Klicken Sie danach auf OK, um die Felder „Ersetzen“ und „Durch“ auszufüllen.</translation>
    </message>
    <message>
        <source>New Files Names</source>
        <translation>Neue Dateinamen</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Nummern</translation>
    </message>
    <message>
        <source>Old File Names</source>
        <translation>Alte Dateinamen</translation>
    </message>
    <message>
        <source>(None)</source>
        <translation>(Keine)</translation>
    </message>
    <message>
        <source>Text (Optional)</source>
        <translation>Text (optional)</translation>
    </message>
    <message>
        <source>Starting number:</source>
        <translation>Startnummer:</translation>
    </message>
    <message>
        <source>Pad numbers with leading zeros.</source>
        <translation>Nummern mit führenden Nullen auffüllen.</translation>
    </message>
    <message>
        <source>Text %1 (optional)</source>
        <translation>Text %1 (optional)</translation>
    </message>
    <message>
        <source>Numbers or old file names %1</source>
        <translation>Nummern oder alte Dateinamen %1</translation>
    </message>
</context>
<context>
    <name>quillon::WizardReformatPage</name>
    <message>
        <source>The Reformat feature allows you to swap file names&apos; fields. Fields can be titles, artists&apos; </source>
        <translation>Mit der Funktion Umstellen tauschen Sie die Felder von Dateinamen. Felder können Titel, </translation>
    </message>
    <message>
        <source>names, and so on, and they are separated with delimiters (Hyphens, etc).</source>
        <translation>Interpreten und so weiter sein; sie sind durch Trennzeichen getrennt (Bindestriche usw.).</translation>
    </message>
    <message>
        <source>Click on OK when done to fill out the &quot;Replace&quot; and &quot;With&quot; boxes.</source>
        <translation>Klicken Sie danach auf OK, um die Felder „Ersetzen“ und „Durch“ auszufüllen.</translation>
    </message>
    <message>
        <source>Click on the examples:</source>
        <translation>Klicken Sie auf ein Beispiel:</translation>
    </message>
    <message>
        <source>Title _ Artist ==&gt; Artist - Title</source>
        <translation>Titel _ Interpret ==&gt; Interpret - Titel</translation>
    </message>
    <message>
        <source>Title (Artist) ==&gt; Artist - Title</source>
        <translation>Titel (Interpret) ==&gt; Interpret - Titel</translation>
    </message>
    <message>
        <source>Reformat</source>
        <translation>Umstellen</translation>
    </message>
    <message>
        <source>Delimiter</source>
        <translation>Trennzeichen</translation>
    </message>
    <message>
        <source>Current format:</source>
        <translation>Bisheriges Format:</translation>
    </message>
    <message>
        <source>Field 1</source>
        <translation>Feld 1</translation>
    </message>
    <message>
        <source>Field 2</source>
        <translation>Feld 2</translation>
    </message>
    <message>
        <source>Field 3</source>
        <translation>Feld 3</translation>
    </message>
    <message>
        <source>(None)</source>
        <translation>(Keines)</translation>
    </message>
    <message>
        <source>New format:</source>
        <translation>Neues Format:</translation>
    </message>
    <message>
        <source>If you need to swap more than three fields, close this window and click on</source>
        <translation>Für mehr als drei Felder schließen Sie dieses Fenster und klicken auf</translation>
    </message>
    <message>
        <source>Current format: delimiter %1</source>
        <translation>Bisheriges Format: Trennzeichen %1</translation>
    </message>
    <message>
        <source>Current format: third field</source>
        <translation>Bisheriges Format: drittes Feld</translation>
    </message>
    <message>
        <source>New format: delimiter %1</source>
        <translation>Neues Format: Trennzeichen %1</translation>
    </message>
    <message>
        <source>New format: field %1</source>
        <translation>Neues Format: Feld %1</translation>
    </message>
</context>
<context>
    <name>quillon::WizardTagsPage</name>
    <message>
        <source>This feature names files from what is inside them. Click on a field of the first selected file to add it to the new names.</source>
        <translation>Diese Funktion benennt Dateien nach ihrem Inhalt. Klicken Sie auf ein Feld der ersten ausgewählten Datei, um es in die neuen Namen aufzunehmen.</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Fields</source>
        <translation>Felder</translation>
    </message>
    <message>
        <source>Enter, Space or a click adds the field to the With text.</source>
        <translation>Eingabe, Leertaste oder ein Klick fügt das Feld in „Durch“ ein.</translation>
    </message>
    <message>
        <source>With:</source>
        <translation>Durch:</translation>
    </message>
    <message>
        <source>Click on OK when done to fill out the &quot;Replace&quot; and &quot;With&quot; boxes.</source>
        <translation>Klicken Sie danach auf OK, um die Felder „Ersetzen“ und „Durch“ auszufüllen.</translation>
    </message>
    <message>
        <source>No file is selected.</source>
        <translation>Keine Datei ist ausgewählt.</translation>
    </message>
    <message>
        <source>Fields of &quot;%1&quot;:</source>
        <translation>Felder von „%1“:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no fields.</source>
        <translation>„%1“ hat keine Felder.</translation>
    </message>
</context>
<context>
    <name>quillon::wizard</name>
    <message>
        <source>Select the substring with the mouse.</source>
        <translation>Markieren Sie die Zeichenfolge mit der Maus.</translation>
    </message>
    <message>
        <source>Click where you want to insert a string.</source>
        <translation>Klicken Sie dorthin, wo der Text eingefügt werden soll.</translation>
    </message>
    <message>
        <source>No string entered.</source>
        <translation>Kein Text eingegeben.</translation>
    </message>
    <message>
        <source>You may select &quot;Numbers&quot; and &quot;Old File Names&quot; only once.</source>
        <translation>Sie können „Nummern“ und „Alte Dateinamen“ nur je einmal wählen.</translation>
    </message>
    <message>
        <source>You must select &quot;Numbers&quot; and/or &quot;Old File Names.&quot;</source>
        <translation>Wählen Sie „Nummern“ und/oder „Alte Dateinamen“.</translation>
    </message>
    <message>
        <source>The text after &quot;Numbers&quot; cannot begin with a period.</source>
        <translation>Der Text nach „Nummern“ darf nicht mit einem Punkt beginnen.</translation>
    </message>
    <message>
        <source>You must enter a delimiter in the second delimiter box.</source>
        <translation>Geben Sie im zweiten Trennzeichenfeld ein Trennzeichen ein.</translation>
    </message>
    <message>
        <source>You must enter a delimiter if you select &quot;Field 3.&quot;</source>
        <translation>Wenn Sie „Feld 3“ wählen, müssen Sie ein Trennzeichen eingeben.</translation>
    </message>
    <message>
        <source>You must select &quot;Field 3&quot; if you want to specify a delimiter.</source>
        <translation>Um ein Trennzeichen anzugeben, müssen Sie „Feld 3“ wählen.</translation>
    </message>
    <message>
        <source>You did not select &quot;Field 3&quot; for the current format.</source>
        <translation>Sie haben für das bisherige Format nicht „Feld 3“ gewählt.</translation>
    </message>
    <message>
        <source>A delimiter that follows a field cannot begin with a digit from 1 to 9.</source>
        <translation>Ein Trennzeichen nach einem Feld darf nicht mit einer Ziffer von 1 bis 9 beginnen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>CL</source>
        <translation>Leeren</translation>
    </message>
</context>
</TS>
