<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>BrowserDialogs</name>
    <message>
        <source>Web page, complete (*.html *.htm)</source>
        <translation>Web page, complete (*.html *.htm)</translation>
    </message>
    <message>
        <source>Web archive, single file (*.mht *.mhtml)</source>
        <translation>Web archive, single file (*.mht *.mhtml)</translation>
    </message>
    <message>
        <source>Web page, text and structure only (*.html *.htm)</source>
        <translation>Web page, text and structure only (*.html *.htm)</translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation>Save Page</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Show this help and exit</source>
        <translation>Show this help and exit</translation>
    </message>
    <message>
        <source>Show version information and exit</source>
        <translation>Show version information and exit</translation>
    </message>
    <message>
        <source>Lookup mode</source>
        <translation>Lookup mode</translation>
    </message>
    <message>
        <source>Look up the selected text</source>
        <translation>Look up the selected text</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>The option --mode needs a value (0 to 3)</source>
        <translation>The option --mode needs a value (0 to 3)</translation>
    </message>
    <message>
        <source>The lookup mode must be a number from 0 to 3, not &quot;%1&quot;</source>
        <translation>The lookup mode must be a number from 0 to 3, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The option --selection looks up the selected text; it cannot be given the term &quot;%1&quot; too</source>
        <translation>The option --selection looks up the selected text; it cannot be given the term &quot;%1&quot; too</translation>
    </message>
    <message>
        <source>Usage: tellaria [OPTION] [TERM]
  or:  tellaria [-m N] --selection
Looks a term up in several online reference works at once, each work&apos;s result in a tab of its own.

Options:
  -m, --mode &lt;N&gt;    lookup mode, by default the one last used:
</source>
        <translation>Usage: tellaria [OPTION] [TERM]
  or:  tellaria [-m N] --selection
Looks a term up in several online reference works at once, each work&apos;s result in a tab of its own.

Options:
  -m, --mode &lt;N&gt;    lookup mode, by default the one last used:
</translation>
    </message>
    <message>
        <source>  -s, --selection   look up the text selected in any program (the primary
                    selection), or the clipboard&apos;s text when none is selected.
                    Only the first line that is not blank; nothing over 1000
                    characters. Not together with a term.
  -h, --help        show this help and exit
  -v, --version     show version information and exit

Arguments:
  TERM              put TERM in the query box and look it up at once, as Enter
                    does; several words make one term, joined by spaces. Write
                    a term that begins with &quot;-&quot; after &quot;--&quot;.

When Tellaria is running already, a new Tellaria hands the term (or the selected
text) to the open window, brings that window to the front and exits.
</source>
        <translation>  -s, --selection   look up the text selected in any program (the primary
                    selection), or the clipboard&apos;s text when none is selected.
                    Only the first line that is not blank; nothing over 1000
                    characters. Not together with a term.
  -h, --help        show this help and exit
  -v, --version     show version information and exit

Arguments:
  TERM              put TERM in the query box and look it up at once, as Enter
                    does; several words make one term, joined by spaces. Write
                    a term that begins with &quot;-&quot; after &quot;--&quot;.

When Tellaria is running already, a new Tellaria hands the term (or the selected
text) to the open window, brings that window to the front and exits.
</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Previous page</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>&amp;Close Page</source>
        <translation>&amp;Close Page</translation>
    </message>
    <message>
        <source>Close the current page</source>
        <translation>Close the current page</translation>
    </message>
    <message>
        <source>Close All Pages</source>
        <translation>Close All Pages</translation>
    </message>
    <message>
        <source>Close all pages</source>
        <translation>Close all pages</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>Print preview</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Page Set&amp;up</source>
        <translation>Page Set&amp;up</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>Open in &amp;Browser</source>
        <translation>Open in &amp;Browser</translation>
    </message>
    <message>
        <source>Open the current page in the default web browser</source>
        <translation>Open the current page in the default web browser</translation>
    </message>
    <message>
        <source>Clear &amp;History...</source>
        <translation>Clear &amp;History...</translation>
    </message>
    <message>
        <source>Clear every term looked up</source>
        <translation>Clear every term looked up</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <source>Find in all pages</source>
        <translation>Find in all pages</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Find &amp;Next</translation>
    </message>
    <message>
        <source>Find Pre&amp;vious</source>
        <translation>Find Pre&amp;vious</translation>
    </message>
    <message>
        <source>&amp;Manage Encyclopaedias...</source>
        <translation>&amp;Manage Encyclopaedias...</translation>
    </message>
    <message>
        <source>Add, change, remove or reorder the encyclopaedias to consult</source>
        <translation>Add, change, remove or reorder the encyclopaedias to consult</translation>
    </message>
    <message>
        <source>Status &amp;Bar</source>
        <translation>Status &amp;Bar</translation>
    </message>
    <message>
        <source>Standard &amp;Buttons</source>
        <translation>Standard &amp;Buttons</translation>
    </message>
    <message>
        <source>&amp;Side by Side</source>
        <translation>&amp;Side by Side</translation>
    </message>
    <message>
        <source>Reader &amp;Mode</source>
        <translation>Reader &amp;Mode</translation>
    </message>
    <message>
        <source>Show only the main text of each page</source>
        <translation>Show only the main text of each page</translation>
    </message>
    <message>
        <source>&amp;Highlight the Term</source>
        <translation>&amp;Highlight the Term</translation>
    </message>
    <message>
        <source>Mark the term in every page and show how often it occurs beside the page&apos;s name</source>
        <translation>Mark the term in every page and show how often it occurs beside the page&apos;s name</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>Load the current page again</source>
        <translation>Load the current page again</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Actual Size</translation>
    </message>
    <message>
        <source>Go to the &amp;Query Box</source>
        <translation>Go to the &amp;Query Box</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Keyboard Shortcuts</translation>
    </message>
    <message>
        <source>List every key of the program</source>
        <translation>List every key of the program</translation>
    </message>
    <message>
        <source>&amp;About Tellaria</source>
        <translation>&amp;About Tellaria</translation>
    </message>
    <message>
        <source>Version, licence and data folder</source>
        <translation>Version, licence and data folder</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Language / 界面语言</translation>
    </message>
    <message>
        <source>The language of the menus and messages</source>
        <translation>The language of the menus and messages</translation>
    </message>
    <message>
        <source>Open the menu</source>
        <translation>Open the menu</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Sto&amp;p	Esc</source>
        <translation>Sto&amp;p	Esc</translation>
    </message>
    <message>
        <source>Stop loading every page of this query that still loads</source>
        <translation>Stop loading every page of this query that still loads</translation>
    </message>
    <message>
        <source>&amp;Go Between Page and Query Box</source>
        <translation>&amp;Go Between Page and Query Box</translation>
    </message>
    <message>
        <source>Move the keyboard focus into the current page, or from the page back to the query box</source>
        <translation>Move the keyboard focus into the current page, or from the page back to the query box</translation>
    </message>
    <message>
        <source>Look-up Histor&amp;y...</source>
        <translation>Look-up Histor&amp;y...</translation>
    </message>
    <message>
        <source>List the terms looked up by day, to search and export</source>
        <translation>List the terms looked up by day, to search and export</translation>
    </message>
    <message>
        <source>&amp;Record Look-ups</source>
        <translation>&amp;Record Look-ups</translation>
    </message>
    <message>
        <source>Keep each look-up&apos;s time, mode and term in the record</source>
        <translation>Keep each look-up&apos;s time, mode and term in the record</translation>
    </message>
    <message>
        <source>A&amp;dd to Notebook...</source>
        <translation>A&amp;dd to Notebook...</translation>
    </message>
    <message>
        <source>Keep the term in the query box in the notebook, with a note if you like</source>
        <translation>Keep the term in the query box in the notebook, with a note if you like</translation>
    </message>
    <message>
        <source>&amp;Word Notebook...</source>
        <translation>&amp;Word Notebook...</translation>
    </message>
    <message>
        <source>List, search, export and import the words in the notebook</source>
        <translation>List, search, export and import the words in the notebook</translation>
    </message>
</context>
<context>
    <name>CoreWording</name>
    <message>
        <source>The address must begin with http:// or https://.</source>
        <translation>The address must begin with http:// or https://.</translation>
    </message>
    <message>
        <source>The address is too long: saved, it may take at most %1 bytes.</source>
        <translation>The address is too long: saved, it may take at most %1 bytes.</translation>
    </message>
    <message>
        <source>The address may not hold control characters such as line breaks or tabs.</source>
        <translation>The address may not hold control characters such as line breaks or tabs.</translation>
    </message>
    <message>
        <source>The address holds invalid characters.</source>
        <translation>The address holds invalid characters.</translation>
    </message>
    <message>
        <source>The address names no host.</source>
        <translation>The address names no host.</translation>
    </message>
    <message>
        <source>The address holds an unknown placeholder &quot;%1&quot;: only {term}, {utf8} and {gb18030} may be used.</source>
        <translation>The address holds an unknown placeholder &quot;%1&quot;: only {term}, {utf8} and {gb18030} may be used.</translation>
    </message>
    <message>
        <source>Encyclopaedias</source>
        <translation>Encyclopaedias</translation>
    </message>
    <message>
        <source>Dictionary of idioms</source>
        <translation>Dictionary of idioms</translation>
    </message>
    <message>
        <source>English-Chinese and Chinese-English dictionary</source>
        <translation>English-Chinese and Chinese-English dictionary</translation>
    </message>
    <message>
        <source>Microsoft Bing English-Chinese dictionary</source>
        <translation>Microsoft Bing English-Chinese dictionary</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Cannot open file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>There may be at most %1 encyclopaedias.</source>
        <translation>There may be at most %1 encyclopaedias.</translation>
    </message>
    <message>
        <source>An encyclopaedia&apos;s name may not be empty.</source>
        <translation>An encyclopaedia&apos;s name may not be empty.</translation>
    </message>
    <message>
        <source>An encyclopaedia&apos;s name may not hold control characters such as line breaks or tabs.</source>
        <translation>An encyclopaedia&apos;s name may not hold control characters such as line breaks or tabs.</translation>
    </message>
    <message>
        <source>The encyclopaedia&apos;s name is too long.</source>
        <translation>The encyclopaedia&apos;s name is too long.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is already in use.</source>
        <translation>The name &quot;%1&quot; is already in use.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: %2</source>
        <translation>&quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>The list of encyclopaedias in the settings file cannot be used; the shipped five are used instead.</source>
        <translation>The list of encyclopaedias in the settings file cannot be used; the shipped five are used instead.</translation>
    </message>
    <message>
        <source>Encyclopaedia %1 in the settings file cannot be used (%2); it and the %3 after it were not read.</source>
        <translation>Encyclopaedia %1 in the settings file cannot be used (%2); it and the %3 after it were not read.</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; is too large to import.</source>
        <translation>File &quot;%1&quot; is too large to import.</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; is not UTF-8 text and cannot be imported.</source>
        <translation>File &quot;%1&quot; is not UTF-8 text and cannot be imported.</translation>
    </message>
    <message>
        <source>In file &quot;%1&quot;, the quote on line %2 is never closed; it cannot be imported.</source>
        <translation>In file &quot;%1&quot;, the quote on line %2 is never closed; it cannot be imported.</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; has too many lines to import.</source>
        <translation>File &quot;%1&quot; has too many lines to import.</translation>
    </message>
</context>
<context>
    <name>KeySheet</name>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Look up (in the query box)</source>
        <translation>Look up (in the query box)</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Open the menu</source>
        <translation>Open the menu</translation>
    </message>
    <message>
        <source>F10, Alt</source>
        <translation>F10, Alt</translation>
    </message>
    <message>
        <source>Stop loading all pages of this query (while a page loads)</source>
        <translation>Stop loading all pages of this query (while a page loads)</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Close a menu, cancel dragging a toolbar, close the find bar</source>
        <translation>Close a menu, cancel dragging a toolbar, close the find bar</translation>
    </message>
    <message>
        <source>Zoom the current page</source>
        <translation>Zoom the current page</translation>
    </message>
    <message>
        <source>Ctrl+Wheel</source>
        <translation>Ctrl+Wheel</translation>
    </message>
    <message>
        <source>Move between controls, into the page as well</source>
        <translation>Move between controls, into the page as well</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab</source>
        <translation>Tab, Shift+Tab</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>English</source>
        <extracomment>The name of the catalogue&apos;s language, in that language.</extracomment>
        <translation>English</translation>
    </message>
</context>
<context>
    <name>NetworkFailure</name>
    <message>
        <source>Address not found: no server was found for this address. The address may be wrong, or the site may be gone.</source>
        <translation>Address not found: no server was found for this address. The address may be wrong, or the site may be gone.</translation>
    </message>
    <message>
        <source>Connection refused: the site&apos;s server refused or broke off the connection.</source>
        <translation>Connection refused: the site&apos;s server refused or broke off the connection.</translation>
    </message>
    <message>
        <source>Timed out: the site took too long to answer.</source>
        <translation>Timed out: the site took too long to answer.</translation>
    </message>
    <message>
        <source>No network: this computer is not connected to a network.</source>
        <translation>No network: this computer is not connected to a network.</translation>
    </message>
    <message>
        <source>The proxy server cannot be reached: check the desktop&apos;s network proxy settings.</source>
        <translation>The proxy server cannot be reached: check the desktop&apos;s network proxy settings.</translation>
    </message>
    <message>
        <source>Cannot connect to the site: %1</source>
        <translation>Cannot connect to the site: %1</translation>
    </message>
    <message>
        <source>%1 was not opened</source>
        <translation>%1 was not opened</translation>
    </message>
    <message>
        <source>Address: %1</source>
        <translation>Address: %1</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;%1&quot;&gt;Reload&lt;/a&gt; (F5)</source>
        <translation>&lt;a href=&quot;%1&quot;&gt;Reload&lt;/a&gt; (F5)</translation>
    </message>
</context>
<context>
    <name>PageNotices</name>
    <message>
        <source>Blocked opening a %1: link</source>
        <translation>Blocked opening a %1: link</translation>
    </message>
    <message>
        <source>Did not open &quot;%1&quot;: with this term filled in, its address would point to another site. Please check its address template in Edit &gt; Manage encyclopaedias.</source>
        <translation>Did not open &quot;%1&quot;: with this term filled in, its address would point to another site. Please check its address template in Edit &gt; Manage encyclopaedias.</translation>
    </message>
</context>
<context>
    <name>PdfPrinting</name>
    <message>
        <source>The pages to print cannot be read.</source>
        <translation>The pages to print cannot be read.</translation>
    </message>
    <message>
        <source>Printing cannot start.</source>
        <translation>Printing cannot start.</translation>
    </message>
    <message>
        <source>The pages to print cannot be made.</source>
        <translation>The pages to print cannot be made.</translation>
    </message>
    <message>
        <source>Printing failed: %1</source>
        <translation>Printing failed: %1</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Tellaria cannot run as root: the sandbox of the browser engine it shows web pages with does not support the root user, and Tellaria does not turn the sandbox off. Please run Tellaria as an ordinary user.</source>
        <translation>Tellaria cannot run as root: the sandbox of the browser engine it shows web pages with does not support the root user, and Tellaria does not turn the sandbox off. Please run Tellaria as an ordinary user.</translation>
    </message>
    <message>
        <source>The selected text is too long (over %1 characters) to look up.</source>
        <translation>The selected text is too long (over %1 characters) to look up.</translation>
    </message>
    <message>
        <source>%1 (see &quot;tellaria --help&quot; for usage)</source>
        <translation>%1 (see &quot;tellaria --help&quot; for usage)</translation>
    </message>
</context>
<context>
    <name>ReaderView</name>
    <message>
        <source>This page has no main text to extract</source>
        <translation>This page has no main text to extract</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The user&apos;s runtime directory (XDG_RUNTIME_DIR) cannot be found.</source>
        <translation>The user&apos;s runtime directory (XDG_RUNTIME_DIR) cannot be found.</translation>
    </message>
    <message>
        <source>The term is too long to hand to the running Tellaria.</source>
        <translation>The term is too long to hand to the running Tellaria.</translation>
    </message>
    <message>
        <source>Cannot create the lock file %1.</source>
        <translation>Cannot create the lock file %1.</translation>
    </message>
    <message>
        <source>Another Tellaria is running but does not answer.</source>
        <translation>Another Tellaria is running but does not answer.</translation>
    </message>
    <message>
        <source>Cannot wait on %1 for other Tellarias&apos; requests: %2</source>
        <translation>Cannot wait on %1 for other Tellarias&apos; requests: %2</translation>
    </message>
</context>
<context>
    <name>WordFiles</name>
    <message>
        <source>Tab-separated text (*.tsv *.txt)</source>
        <translation>Tab-separated text (*.tsv *.txt)</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;: %2</source>
        <translation>Cannot write file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Import into the Notebook</source>
        <translation>Import into the Notebook</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;: %2</source>
        <translation>Cannot read file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Cannot import into the notebook: %1</source>
        <translation>Cannot import into the notebook: %1</translation>
    </message>
    <message>
        <source>Read %1 terms, %2 of them new; the rest were merged with those in the notebook.</source>
        <translation>Read %1 terms, %2 of them new; the rest were merged with those in the notebook.</translation>
    </message>
    <message>
        <source> %1 lines could not be read in full.</source>
        <translation> %1 lines could not be read in full.</translation>
    </message>
</context>
<context>
    <name>WordStore</name>
    <message>
        <source>The record database &quot;%1&quot; is damaged.</source>
        <translation>The record database &quot;%1&quot; is damaged.</translation>
    </message>
    <message>
        <source>Cannot read the record database &quot;%1&quot;: %2. Look-ups are not recorded this run; the file is left as it is.</source>
        <translation>Cannot read the record database &quot;%1&quot;: %2. Look-ups are not recorded this run; the file is left as it is.</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; cannot be opened: %2. Look-ups are not recorded this run.</source>
        <translation>The record database &quot;%1&quot; cannot be opened: %2. Look-ups are not recorded this run.</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; cannot be created: %2. Look-ups are not recorded this run.</source>
        <translation>The record database &quot;%1&quot; cannot be created: %2. Look-ups are not recorded this run.</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; is in use by another program. Look-ups are not recorded this run; the file is left as it is. Close that program and start this one again.</source>
        <translation>The record database &quot;%1&quot; is in use by another program. Look-ups are not recorded this run; the file is left as it is. Close that program and start this one again.</translation>
    </message>
    <message>
        <source>Cannot read the record database &quot;%1&quot;: %2. Look-ups are not recorded this run.</source>
        <translation>Cannot read the record database &quot;%1&quot;: %2. Look-ups are not recorded this run.</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; was made by a newer version of this program, which this version cannot read. Look-ups are not recorded this run; the file is left as it is.</source>
        <translation>The record database &quot;%1&quot; was made by a newer version of this program, which this version cannot read. Look-ups are not recorded this run; the file is left as it is.</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; is read-only and of an older version, so it cannot be updated. Look-ups are not recorded this run.</source>
        <translation>The record database &quot;%1&quot; is read-only and of an older version, so it cannot be updated. Look-ups are not recorded this run.</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; is read-only. The record and the notebook can be viewed, but look-ups are not recorded this run and nothing can be changed.</source>
        <translation>The record database &quot;%1&quot; is read-only. The record and the notebook can be viewed, but look-ups are not recorded this run and nothing can be changed.</translation>
    </message>
</context>
<context>
    <name>tellaria::TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>tellaria::TBandArea</name>
    <message>
        <source>Encyclopaedias to look in</source>
        <translation>Encyclopaedias to look in</translation>
    </message>
</context>
<context>
    <name>tellaria::TEncyclopaediaDialog</name>
    <message>
        <source>cat</source>
        <translation>cat</translation>
    </message>
    <message>
        <source>Manage encyclopaedias</source>
        <translation>Manage encyclopaedias</translation>
    </message>
    <message>
        <source>List of encyclopaedias</source>
        <translation>List of encyclopaedias</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Address template</source>
        <translation>Address template</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Move &amp;up</source>
        <translation>Move &amp;up</translation>
    </message>
    <message>
        <source>Move dow&amp;n</source>
        <translation>Move dow&amp;n</translation>
    </message>
    <message>
        <source>&amp;Restore defaults</source>
        <translation>&amp;Restore defaults</translation>
    </message>
    <message>
        <source>&amp;Try it</source>
        <translation>&amp;Try it</translation>
    </message>
    <message>
        <source>&amp;Sample term:</source>
        <translation>&amp;Sample term:</translation>
    </message>
    <message>
        <source>The address must begin with http:// or https://. {term} is replaced by the term as it is, {utf8} by the term encoded as UTF-8, {gb18030} by the term encoded as GB18030; without any of these, the term is appended to the address.</source>
        <translation>The address must begin with http:// or https://. {term} is replaced by the term as it is, {utf8} by the term encoded as UTF-8, {gb18030} by the term encoded as GB18030; without any of these, the term is appended to the address.</translation>
    </message>
    <message>
        <source>There can be at most %1 encyclopaedias.</source>
        <translation>There can be at most %1 encyclopaedias.</translation>
    </message>
    <message>
        <source>New encyclopaedia</source>
        <translation>New encyclopaedia</translation>
    </message>
    <message>
        <source>Will open: %1</source>
        <translation>Will open: %1</translation>
    </message>
</context>
<context>
    <name>tellaria::TFindBar</name>
    <message>
        <source>Find</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Find:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>Text to find in all pages</source>
        <translation>Text to find in all pages</translation>
    </message>
    <message>
        <source>Previous match (Shift+F3)</source>
        <translation>Previous match (Shift+F3)</translation>
    </message>
    <message>
        <source>Next match (F3)</source>
        <translation>Next match (F3)</translation>
    </message>
    <message>
        <source>Close the find bar (Esc)</source>
        <translation>Close the find bar (Esc)</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>Match %1 of %2, in %3 pages</source>
        <translation>Match %1 of %2, in %3 pages</translation>
    </message>
    <message>
        <source>%1 matches, in %2 pages</source>
        <translation>%1 matches, in %2 pages</translation>
    </message>
</context>
<context>
    <name>tellaria::THelpMenu</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Keyboard shortcuts</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>About Tellaria</source>
        <translation>About Tellaria</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Tellaria %1&lt;/h2&gt;&lt;p&gt;Looks up words in several online reference works at once.&lt;/p&gt;&lt;p&gt;Licence: GPL-3.0-or-later (GNU General Public License, version 3 or later)&lt;/p&gt;&lt;p&gt;Browser engine: Qt WebEngine %2 (Chromium %3)&lt;/p&gt;&lt;p&gt;Settings and query history are kept in:&lt;br&gt;%4&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Tellaria %1&lt;/h2&gt;&lt;p&gt;Looks up words in several online reference works at once.&lt;/p&gt;&lt;p&gt;Licence: GPL-3.0-or-later (GNU General Public License, version 3 or later)&lt;/p&gt;&lt;p&gt;Browser engine: Qt WebEngine %2 (Chromium %3)&lt;/p&gt;&lt;p&gt;Settings and query history are kept in:&lt;br&gt;%4&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Open folder</source>
        <translation>&amp;Open folder</translation>
    </message>
</context>
<context>
    <name>tellaria::THistoryClearing</name>
    <message>
        <source>The history file could not be read at start-up; it is not cleared, to keep what it holds</source>
        <translation>The history file could not be read at start-up; it is not cleared, to keep what it holds</translation>
    </message>
    <message>
        <source>Clear every term looked up</source>
        <translation>Clear every term looked up</translation>
    </message>
    <message>
        <source>Do you really want to clear the whole query history? This cannot be undone.</source>
        <translation>Do you really want to clear the whole query history? This cannot be undone.</translation>
    </message>
    <message>
        <source>Also clear the look-up &amp;record (the date and term of every look-up)</source>
        <translation>Also clear the look-up &amp;record (the date and term of every look-up)</translation>
    </message>
    <message>
        <source>Cannot clear the look-up record: %1</source>
        <translation>Cannot clear the look-up record: %1</translation>
    </message>
</context>
<context>
    <name>tellaria::TLanguageMenu</name>
    <message>
        <source>The interface language changes when Tellaria is next started.</source>
        <translation>The interface language changes when Tellaria is next started.</translation>
    </message>
    <message>
        <source>Follow the &amp;System</source>
        <translation>Follow the &amp;System</translation>
    </message>
</context>
<context>
    <name>tellaria::TNotebookWindow</name>
    <message>
        <source>Vocabulary Notebook</source>
        <translation>Vocabulary Notebook</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>&amp;Search:</translation>
    </message>
    <message>
        <source>Search the notebook</source>
        <translation>Search the notebook</translation>
    </message>
    <message>
        <source>Term</source>
        <translation>Term</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>First look-up</source>
        <translation>First look-up</translation>
    </message>
    <message>
        <source>Last look-up</source>
        <translation>Last look-up</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Times</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Export...</translation>
    </message>
    <message>
        <source>Export the notebook as tab-separated text (which flash-card programs import) or as a CSV file</source>
        <translation>Export the notebook as tab-separated text (which flash-card programs import) or as a CSV file</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Import...</translation>
    </message>
    <message>
        <source>Import words from tab-separated text, merging them with those already kept</source>
        <translation>Import words from tab-separated text, merging them with those already kept</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>Remove the chosen words from the notebook</source>
        <translation>Remove the chosen words from the notebook</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Close the notebook</source>
        <translation>Close the notebook</translation>
    </message>
    <message>
        <source>Export the Notebook</source>
        <translation>Export the Notebook</translation>
    </message>
    <message>
        <source>notebook.tsv</source>
        <translation>notebook.tsv</translation>
    </message>
    <message>
        <source>Cannot save the note: %1</source>
        <translation>Cannot save the note: %1</translation>
    </message>
    <message>
        <source>Cannot remove: %1</source>
        <translation>Cannot remove: %1</translation>
    </message>
</context>
<context>
    <name>tellaria::TPageCommands</name>
    <message>
        <source>There is no program to open web pages. Please install a web browser (for example firefox-esr or chromium) and xdg-utils, and choose the default web browser in the desktop&apos;s settings.</source>
        <translation>There is no program to open web pages. Please install a web browser (for example firefox-esr or chromium) and xdg-utils, and choose the default web browser in the desktop&apos;s settings.</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>Open in &amp;browser</source>
        <translation>Open in &amp;browser</translation>
    </message>
    <message>
        <source>&amp;Copy address</source>
        <translation>&amp;Copy address</translation>
    </message>
    <message>
        <source>Close this page (&amp;W)</source>
        <translation>Close this page (&amp;W)</translation>
    </message>
    <message>
        <source>Close &amp;other pages</source>
        <translation>Close &amp;other pages</translation>
    </message>
</context>
<context>
    <name>tellaria::TPrintPreview</name>
    <message>
        <source>Print Preview</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>Previous Page</source>
        <translation>Previous Page</translation>
    </message>
    <message>
        <source>Next Page</source>
        <translation>Next Page</translation>
    </message>
    <message>
        <source>Page number</source>
        <translation>Page number</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Fit Width</source>
        <translation>Fit Width</translation>
    </message>
    <message>
        <source>Whole Page</source>
        <translation>Whole Page</translation>
    </message>
    <message>
        <source>Single Page</source>
        <translation>Single Page</translation>
    </message>
    <message>
        <source>Two Pages</source>
        <translation>Two Pages</translation>
    </message>
    <message>
        <source>Page Setup...</source>
        <translation>Page Setup...</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Making the print preview...</source>
        <translation>Making the print preview...</translation>
    </message>
    <message>
        <source>The print preview cannot be made.</source>
        <translation>The print preview cannot be made.</translation>
    </message>
    <message>
        <source> of %1 </source>
        <translation> of %1 </translation>
    </message>
</context>
<context>
    <name>tellaria::TQueryBand</name>
    <message>
        <source>Look up:</source>
        <translation>Look up:</translation>
    </message>
    <message>
        <source>Look up</source>
        <translation>Look up</translation>
    </message>
</context>
<context>
    <name>tellaria::TQueryEntry</name>
    <message>
        <source>The term is longer than %1 characters; only the first %1 were looked up.</source>
        <translation>The term is longer than %1 characters; only the first %1 were looked up.</translation>
    </message>
</context>
<context>
    <name>tellaria::TRecordWindow</name>
    <message>
        <source>Look-up Record</source>
        <translation>Look-up Record</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>&amp;Search:</translation>
    </message>
    <message>
        <source>Search the record</source>
        <translation>Search the record</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Term looked up</source>
        <translation>Term looked up</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Times</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Export...</translation>
    </message>
    <message>
        <source>Export every term looked up, with its dates and times asked, to a file</source>
        <translation>Export every term looked up, with its dates and times asked, to a file</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>dddd, d MMMM yyyy</source>
        <translation>dddd, d MMMM yyyy</translation>
    </message>
    <message>
        <source>Cannot remove from the record: %1</source>
        <translation>Cannot remove from the record: %1</translation>
    </message>
    <message>
        <source>Export the Record</source>
        <translation>Export the Record</translation>
    </message>
    <message>
        <source>record.tsv</source>
        <translation>record.tsv</translation>
    </message>
</context>
<context>
    <name>tellaria::TResultPages</name>
    <message>
        <source>No encyclopaedia is ticked for the query: please tick at least one above.</source>
        <translation>No encyclopaedia is ticked for the query: please tick at least one above.</translation>
    </message>
</context>
<context>
    <name>tellaria::TStartPage</name>
    <message>
        <source>Type what to look up above, choose how to look it up, then press Enter or the &quot;Look up&quot; button to see the results from several online reference works at once.</source>
        <translation>Type what to look up above, choose how to look it up, then press Enter or the &quot;Look up&quot; button to see the results from several online reference works at once.</translation>
    </message>
</context>
<context>
    <name>tellaria::TStatusLine</name>
    <message>
        <source>Hint</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>tellaria::TTabMark</name>
    <message>
        <source>The page ended unexpectedly</source>
        <translation>The page ended unexpectedly</translation>
    </message>
    <message>
        <source>The page failed to load</source>
        <translation>The page failed to load</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>Loading stopped</source>
        <translation>Loading stopped</translation>
    </message>
</context>
<context>
    <name>tellaria::TTabSheet</name>
    <message>
        <source>%1 found</source>
        <translation>%1 found</translation>
    </message>
    <message>
        <source>The term occurs %1 times</source>
        <translation>The term occurs %1 times</translation>
    </message>
    <message>
        <source>This page has no main text to extract</source>
        <translation>This page has no main text to extract</translation>
    </message>
    <message>
        <source>The process showing this page ended unexpectedly, perhaps for lack of memory or through a fault.</source>
        <translation>The process showing this page ended unexpectedly, perhaps for lack of memory or through a fault.</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>Reload this page (F5)</source>
        <translation>Reload this page (F5)</translation>
    </message>
</context>
<context>
    <name>tellaria::TToolbarGrip</name>
    <message>
        <source>Drag here to float the toolbar</source>
        <translation>Drag here to float the toolbar</translation>
    </message>
    <message>
        <source>Toolbar grip</source>
        <translation>Toolbar grip</translation>
    </message>
</context>
<context>
    <name>tellaria::TWebBrowser</name>
    <message>
        <source>Open Link in Browser</source>
        <translation>Open Link in Browser</translation>
    </message>
    <message>
        <source>Open in Browser</source>
        <translation>Open in Browser</translation>
    </message>
    <message>
        <source>Copy Address</source>
        <translation>Copy Address</translation>
    </message>
</context>
<context>
    <name>tellaria::TWordKeeping</name>
    <message>
        <source>Keep in the Notebook</source>
        <translation>Keep in the Notebook</translation>
    </message>
    <message>
        <source>First type the term to keep into the query box.</source>
        <translation>First type the term to keep into the query box.</translation>
    </message>
    <message>
        <source>Note on &quot;%1&quot; (may be left empty):</source>
        <translation>Note on &quot;%1&quot; (may be left empty):</translation>
    </message>
    <message>
        <source>Cannot keep it in the notebook: %1</source>
        <translation>Cannot keep it in the notebook: %1</translation>
    </message>
    <message>
        <source>In the notebook; click to change the note</source>
        <translation>In the notebook; click to change the note</translation>
    </message>
    <message>
        <source>In the notebook</source>
        <translation>In the notebook</translation>
    </message>
    <message>
        <source>%1 Keep it under a new name (with .damaged and the time added) and start an empty database? Choose No and look-ups are not recorded this run; the file is left as it is.</source>
        <translation>%1 Keep it under a new name (with .damaged and the time added) and start an empty database? Choose No and look-ups are not recorded this run; the file is left as it is.</translation>
    </message>
    <message>
        <source>The damaged record database could not be renamed; the file is left as it is.</source>
        <translation>The damaged record database could not be renamed; the file is left as it is.</translation>
    </message>
    <message>
        <source>The damaged record database was renamed &quot;%1&quot;; a new record starts now.</source>
        <translation>The damaged record database was renamed &quot;%1&quot;; a new record starts now.</translation>
    </message>
</context>
<context>
    <name>tellaria::TfrmMain</name>
    <message>
        <source>Please enter what to look up!</source>
        <translation>Please enter what to look up!</translation>
    </message>
    <message>
        <source>Really close all query results?</source>
        <translation>Really close all query results?</translation>
    </message>
</context>
</TS>
