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
    <name>tellaria::TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
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
</TS>
