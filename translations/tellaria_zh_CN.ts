<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>BrowserDialogs</name>
    <message>
        <source>Web page, complete (*.html *.htm)</source>
        <translation>网页，全部 (*.html *.htm)</translation>
    </message>
    <message>
        <source>Web archive, single file (*.mht *.mhtml)</source>
        <translation>网页档案，单个文件 (*.mht *.mhtml)</translation>
    </message>
    <message>
        <source>Web page, text and structure only (*.html *.htm)</source>
        <translation>网页，仅文字与结构 (*.html *.htm)</translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation>保存网页</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Show this help and exit</source>
        <translation>显示本帮助并退出</translation>
    </message>
    <message>
        <source>Show version information and exit</source>
        <translation>显示版本信息并退出</translation>
    </message>
    <message>
        <source>Lookup mode</source>
        <translation>查询方式</translation>
    </message>
    <message>
        <source>Look up the selected text</source>
        <translation>查询选中的文字</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>未知的选项：%1</translation>
    </message>
    <message>
        <source>The option --mode needs a value (0 to 3)</source>
        <translation>选项 --mode 需要一个值（0 到 3）</translation>
    </message>
    <message>
        <source>The lookup mode must be a number from 0 to 3, not &quot;%1&quot;</source>
        <translation>查询方式必须是 0 到 3 之间的数字，而不是“%1”</translation>
    </message>
    <message>
        <source>The option --selection looks up the selected text; it cannot be given the term &quot;%1&quot; too</source>
        <translation>选项 --selection 查询选中的文字，不能再给出词语“%1”</translation>
    </message>
    <message>
        <source>Usage: tellaria [OPTION] [TERM]
  or:  tellaria [-m N] --selection
Looks a term up in several online reference works at once, each work&apos;s result in a tab of its own.

Options:
  -m, --mode &lt;N&gt;    lookup mode, by default the one last used:
</source>
        <translation>用法：tellaria [选项] [词语]
&#x3000;或：tellaria [-m N] --selection
同时在多部网上工具书中查询词语，每部工具书的结果显示在各自的标签页中。

选项：
  -m, --mode &lt;N&gt;    查询方式，默认为上次使用的方式：
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
        <translation>  -s, --selection   查询在任何程序中选中的文字（主选区）；没有选中的文字时，
                    查询剪贴板中的文字。只查第一个非空行，超过 1000 个字时
                    不查询。不能与词语同时使用。
  -h, --help        显示本帮助并退出
  -v, --version     显示版本信息并退出

参数：
  词语              启动后把词语填入查询框并立即查询，如同按下回车键；
                    多个词以空格连成一个词语。以“-”开头的词语请写在“--”之后。

Tellaria 已在运行时，新启动的 Tellaria 把词语（或选中的文字）交给已打开的
窗口查询，把该窗口提到最前，然后退出。
</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Previous page</source>
        <translation>前一页</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>后一页</translation>
    </message>
    <message>
        <source>&amp;Close Page</source>
        <translation>关闭当前页(&amp;C)</translation>
    </message>
    <message>
        <source>Close the current page</source>
        <translation>关闭当前页</translation>
    </message>
    <message>
        <source>Close All Pages</source>
        <translation>关闭所有页</translation>
    </message>
    <message>
        <source>Close all pages</source>
        <translation>关闭所有页</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Print preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>打印(&amp;P)</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Page Set&amp;up</source>
        <translation>页面设置(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>全选(&amp;A)</translation>
    </message>
    <message>
        <source>Open in &amp;Browser</source>
        <translation>在浏览器中打开当前页(&amp;B)</translation>
    </message>
    <message>
        <source>Open the current page in the default web browser</source>
        <translation>在默认的网页浏览器中打开当前页</translation>
    </message>
    <message>
        <source>Clear &amp;History...</source>
        <translation>清除查询历史(&amp;H)...</translation>
    </message>
    <message>
        <source>Clear every term looked up</source>
        <translation>清除所有查询过的词语</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>查找(&amp;F)...</translation>
    </message>
    <message>
        <source>Find in all pages</source>
        <translation>在所有页中查找</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>查找下一个(&amp;N)</translation>
    </message>
    <message>
        <source>Find Pre&amp;vious</source>
        <translation>查找上一个(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Manage Encyclopaedias...</source>
        <translation>管理百科全书(&amp;M)...</translation>
    </message>
    <message>
        <source>Add, change, remove or reorder the encyclopaedias to consult</source>
        <translation>添加、修改、删除或排列要查询的百科全书</translation>
    </message>
    <message>
        <source>Status &amp;Bar</source>
        <translation>状态栏(&amp;B)</translation>
    </message>
    <message>
        <source>Standard &amp;Buttons</source>
        <translation>标准按钮(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Side by Side</source>
        <translation>并排显示(&amp;S)</translation>
    </message>
    <message>
        <source>Reader &amp;Mode</source>
        <translation>阅读模式(&amp;M)</translation>
    </message>
    <message>
        <source>Show only the main text of each page</source>
        <translation>只显示每页的正文</translation>
    </message>
    <message>
        <source>&amp;Highlight the Term</source>
        <translation>突出显示查询词(&amp;H)</translation>
    </message>
    <message>
        <source>Mark the term in every page and show how often it occurs beside the page&apos;s name</source>
        <translation>在每页中标出查询词，并在页名旁显示出现次数</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前进</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>刷新(&amp;R)</translation>
    </message>
    <message>
        <source>Load the current page again</source>
        <translation>重新加载当前页</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>放大(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>缩小(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>实际大小(&amp;A)</translation>
    </message>
    <message>
        <source>Go to the &amp;Query Box</source>
        <translation>转到查询框(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>键盘快捷键(&amp;K)</translation>
    </message>
    <message>
        <source>List every key of the program</source>
        <translation>列出程序的所有快捷键</translation>
    </message>
    <message>
        <source>&amp;About Tellaria</source>
        <translation>关于 Tellaria(&amp;A)</translation>
    </message>
    <message>
        <source>Version, licence and data folder</source>
        <translation>版本、许可证和数据文件夹</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>界面语言 / Language(&amp;L)</translation>
    </message>
    <message>
        <source>The language of the menus and messages</source>
        <translation>菜单和消息使用的语言</translation>
    </message>
    <message>
        <source>Open the menu</source>
        <translation>打开菜单</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>Sto&amp;p	Esc</source>
        <translation>停止(&amp;P)	Esc</translation>
    </message>
    <message>
        <source>Stop loading every page of this query that still loads</source>
        <translation>停止加载本次查询中所有仍在加载的页</translation>
    </message>
    <message>
        <source>&amp;Go Between Page and Query Box</source>
        <translation>在页面和查询框间切换(&amp;G)</translation>
    </message>
    <message>
        <source>Move the keyboard focus into the current page, or from the page back to the query box</source>
        <translation>把键盘焦点移入当前页，或从页面回到查询框</translation>
    </message>
    <message>
        <source>Look-up Histor&amp;y...</source>
        <translation>查询记录(&amp;Y)...</translation>
    </message>
    <message>
        <source>List the terms looked up by day, to search and export</source>
        <translation>按日期列出查询过的词语，可以搜索和导出</translation>
    </message>
    <message>
        <source>&amp;Record Look-ups</source>
        <translation>记录查询(&amp;R)</translation>
    </message>
    <message>
        <source>Keep each look-up&apos;s time, mode and term in the record</source>
        <translation>把每次查询的时间、方式和词语记入查询记录</translation>
    </message>
    <message>
        <source>A&amp;dd to Notebook...</source>
        <translation>加入生词本(&amp;D)...</translation>
    </message>
    <message>
        <source>Keep the term in the query box in the notebook, with a note if you like</source>
        <translation>把查询框中的词语加入生词本，可以附上笔记</translation>
    </message>
    <message>
        <source>&amp;Word Notebook...</source>
        <translation>生词本(&amp;W)...</translation>
    </message>
    <message>
        <source>List, search, export and import the words in the notebook</source>
        <translation>列出、搜索、导出和导入生词本中的词语</translation>
    </message>
</context>
<context>
    <name>CoreWording</name>
    <message>
        <source>The address must begin with http:// or https://.</source>
        <translation>网址必须以 http:// 或 https:// 开头。</translation>
    </message>
    <message>
        <source>The address is too long: saved, it may take at most %1 bytes.</source>
        <translation>网址太长：保存后不能超过 %1 个字节。</translation>
    </message>
    <message>
        <source>The address may not hold control characters such as line breaks or tabs.</source>
        <translation>网址中不能有换行符、制表符等控制字符。</translation>
    </message>
    <message>
        <source>The address holds invalid characters.</source>
        <translation>网址中有无效的字符。</translation>
    </message>
    <message>
        <source>The address names no host.</source>
        <translation>网址中缺少主机名。</translation>
    </message>
    <message>
        <source>The address holds an unknown placeholder &quot;%1&quot;: only {term}, {utf8} and {gb18030} may be used.</source>
        <translation>网址中有未知的占位符“%1”：只能用 {term}、{utf8} 或 {gb18030}。</translation>
    </message>
    <message>
        <source>Encyclopaedias</source>
        <translation>百科全书</translation>
    </message>
    <message>
        <source>Dictionary of idioms</source>
        <translation>成语词典</translation>
    </message>
    <message>
        <source>English-Chinese and Chinese-English dictionary</source>
        <translation>英汉汉英词典</translation>
    </message>
    <message>
        <source>Microsoft Bing English-Chinese dictionary</source>
        <translation>微软Bing智能英汉词典</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>无法打开文件“%1”。%2</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>无法创建文件“%1”。%2</translation>
    </message>
    <message>
        <source>There may be at most %1 encyclopaedias.</source>
        <translation>最多只能有 %1 部百科全书。</translation>
    </message>
    <message>
        <source>An encyclopaedia&apos;s name may not be empty.</source>
        <translation>百科全书的名称不能为空。</translation>
    </message>
    <message>
        <source>An encyclopaedia&apos;s name may not hold control characters such as line breaks or tabs.</source>
        <translation>百科全书的名称中不能有换行符、制表符等控制字符。</translation>
    </message>
    <message>
        <source>The encyclopaedia&apos;s name is too long.</source>
        <translation>百科全书的名称太长。</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is already in use.</source>
        <translation>名称“%1”已被使用。</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: %2</source>
        <translation>“%1”：%2</translation>
    </message>
    <message>
        <source>The list of encyclopaedias in the settings file cannot be used; the shipped five are used instead.</source>
        <translation>设置文件中的百科全书列表无法使用，已改用默认的五部。</translation>
    </message>
    <message>
        <source>Encyclopaedia %1 in the settings file cannot be used (%2); it and the %3 after it were not read.</source>
        <translation>设置文件中的第 %1 部百科全书无法使用（%2），它和其后的 %3 部未读入。</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; is too large to import.</source>
        <translation>文件“%1”太大，无法导入。</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; is not UTF-8 text and cannot be imported.</source>
        <translation>文件“%1”不是 UTF-8 文本，无法导入。</translation>
    </message>
    <message>
        <source>In file &quot;%1&quot;, the quote on line %2 is never closed; it cannot be imported.</source>
        <translation>文件“%1”第 %2 行的引号没有结束，无法导入。</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; has too many lines to import.</source>
        <translation>文件“%1”的行数太多，无法导入。</translation>
    </message>
</context>
<context>
    <name>KeySheet</name>
    <message>
        <source>, </source>
        <translation>，</translation>
    </message>
    <message>
        <source>Look up (in the query box)</source>
        <translation>查询（在查询框中）</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Open the menu</source>
        <translation>打开菜单</translation>
    </message>
    <message>
        <source>F10, Alt</source>
        <translation>F10，Alt</translation>
    </message>
    <message>
        <source>Stop loading all pages of this query (while a page loads)</source>
        <translation>停止加载本次查询的所有页（有页在加载时）</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Close a menu, cancel dragging a toolbar, close the find bar</source>
        <translation>关闭菜单、取消拖动工具栏、关闭查找栏</translation>
    </message>
    <message>
        <source>Zoom the current page</source>
        <translation>缩放当前页</translation>
    </message>
    <message>
        <source>Ctrl+Wheel</source>
        <translation>Ctrl+滚轮</translation>
    </message>
    <message>
        <source>Move between controls, into the page as well</source>
        <translation>在控件之间移动，也进入页面</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab</source>
        <translation>Tab，Shift+Tab</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>English</source>
        <extracomment>The name of the catalogue&apos;s language, in that language.</extracomment>
        <translation>中文</translation>
    </message>
</context>
<context>
    <name>NetworkFailure</name>
    <message>
        <source>Address not found: no server was found for this address. The address may be wrong, or the site may be gone.</source>
        <translation>地址找不到：没有找到这个网址的服务器。网址可能有误，或网站已经不在了。</translation>
    </message>
    <message>
        <source>Connection refused: the site&apos;s server refused or broke off the connection.</source>
        <translation>连接被拒绝：网站的服务器拒绝或中断了连接。</translation>
    </message>
    <message>
        <source>Timed out: the site took too long to answer.</source>
        <translation>超时：网站太久没有应答。</translation>
    </message>
    <message>
        <source>No network: this computer is not connected to a network.</source>
        <translation>没有网络：这台电脑没有连上网络。</translation>
    </message>
    <message>
        <source>The proxy server cannot be reached: check the desktop&apos;s network proxy settings.</source>
        <translation>连不上代理服务器：请检查桌面的网络代理设置。</translation>
    </message>
    <message>
        <source>Cannot connect to the site: %1</source>
        <translation>无法连接到网站：%1</translation>
    </message>
    <message>
        <source>%1 was not opened</source>
        <translation>没有打开“%1”</translation>
    </message>
    <message>
        <source>Address: %1</source>
        <translation>网址：%1</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;%1&quot;&gt;Reload&lt;/a&gt; (F5)</source>
        <translation>&lt;a href=&quot;%1&quot;&gt;重新加载&lt;/a&gt;（F5）</translation>
    </message>
</context>
<context>
    <name>PageNotices</name>
    <message>
        <source>Blocked opening a %1: link</source>
        <translation>已阻止打开 %1: 链接</translation>
    </message>
    <message>
        <source>Did not open &quot;%1&quot;: with this term filled in, its address would point to another site. Please check its address template in Edit &gt; Manage encyclopaedias.</source>
        <translation>没有打开“%1”：填入这个查询词后，它的网址会指向另一个网站。请在“编辑 › 管理百科全书”中检查它的网址模板。</translation>
    </message>
</context>
<context>
    <name>PdfPrinting</name>
    <message>
        <source>The pages to print cannot be read.</source>
        <translation>打印的页面无法读取。</translation>
    </message>
    <message>
        <source>Printing cannot start.</source>
        <translation>无法开始打印。</translation>
    </message>
    <message>
        <source>The pages to print cannot be made.</source>
        <translation>无法生成要打印的页面。</translation>
    </message>
    <message>
        <source>Printing failed: %1</source>
        <translation>打印失败：%1</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Tellaria cannot run as root: the sandbox of the browser engine it shows web pages with does not support the root user, and Tellaria does not turn the sandbox off. Please run Tellaria as an ordinary user.</source>
        <translation>Tellaria 不能以 root 身份运行：它用来显示网页的浏览器引擎的沙箱不支持 root 用户，而 Tellaria 不会关闭沙箱。请以普通用户身份运行 Tellaria。</translation>
    </message>
    <message>
        <source>The selected text is too long (over %1 characters) to look up.</source>
        <translation>选中的文字太长（超过 %1 个字），无法查询。</translation>
    </message>
    <message>
        <source>%1 (see &quot;tellaria --help&quot; for usage)</source>
        <translation>%1（用法见“tellaria --help”）</translation>
    </message>
</context>
<context>
    <name>ReaderView</name>
    <message>
        <source>This page has no main text to extract</source>
        <translation>此页没有可提取的正文</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The user&apos;s runtime directory (XDG_RUNTIME_DIR) cannot be found.</source>
        <translation>找不到用户的运行时目录（XDG_RUNTIME_DIR）。</translation>
    </message>
    <message>
        <source>The term is too long to hand to the running Tellaria.</source>
        <translation>要查询的词语太长，无法交给正在运行的 Tellaria。</translation>
    </message>
    <message>
        <source>Cannot create the lock file %1.</source>
        <translation>无法创建锁文件 %1。</translation>
    </message>
    <message>
        <source>Another Tellaria is running but does not answer.</source>
        <translation>另一个 Tellaria 正在运行，但没有响应。</translation>
    </message>
    <message>
        <source>Cannot wait on %1 for other Tellarias&apos; requests: %2</source>
        <translation>无法在 %1 上等待其他 Tellaria 的请求：%2</translation>
    </message>
</context>
<context>
    <name>WordFiles</name>
    <message>
        <source>Tab-separated text (*.tsv *.txt)</source>
        <translation>制表符分隔文本 (*.tsv *.txt)</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;: %2</source>
        <translation>无法写入文件“%1”：%2</translation>
    </message>
    <message>
        <source>Import into the Notebook</source>
        <translation>导入生词本</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;: %2</source>
        <translation>无法读取文件“%1”：%2</translation>
    </message>
    <message>
        <source>Cannot import into the notebook: %1</source>
        <translation>无法导入生词本：%1</translation>
    </message>
    <message>
        <source>Read %1 terms, %2 of them new; the rest were merged with those in the notebook.</source>
        <translation>读入 %1 个词语，其中 %2 个是新的，其余已与生词本中的合并。</translation>
    </message>
    <message>
        <source> %1 lines could not be read in full.</source>
        <translation>有 %1 行无法完整读取。</translation>
    </message>
</context>
<context>
    <name>WordStore</name>
    <message>
        <source>The record database &quot;%1&quot; is damaged.</source>
        <translation>查询记录数据库“%1”已损坏。</translation>
    </message>
    <message>
        <source>Cannot read the record database &quot;%1&quot;: %2. Look-ups are not recorded this run; the file is left as it is.</source>
        <translation>无法读取查询记录数据库“%1”：%2。本次运行不记录查询，文件保持原样。</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; cannot be opened: %2. Look-ups are not recorded this run.</source>
        <translation>无法打开查询记录数据库“%1”：%2。本次运行不记录查询。</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; cannot be created: %2. Look-ups are not recorded this run.</source>
        <translation>无法建立查询记录数据库“%1”：%2。本次运行不记录查询。</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; is in use by another program. Look-ups are not recorded this run; the file is left as it is. Close that program and start this one again.</source>
        <translation>查询记录数据库“%1”正被另一个程序使用。本次运行不记录查询，文件保持原样；关闭那个程序后重新启动本程序即可。</translation>
    </message>
    <message>
        <source>Cannot read the record database &quot;%1&quot;: %2. Look-ups are not recorded this run.</source>
        <translation>无法读取查询记录数据库“%1”：%2。本次运行不记录查询。</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; was made by a newer version of this program, which this version cannot read. Look-ups are not recorded this run; the file is left as it is.</source>
        <translation>查询记录数据库“%1”由本程序的较新版本建立，这个版本无法读取它。本次运行不记录查询，文件保持原样。</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; is read-only and of an older version, so it cannot be updated. Look-ups are not recorded this run.</source>
        <translation>查询记录数据库“%1”是只读的，且版本较旧，无法更新。本次运行不记录查询。</translation>
    </message>
    <message>
        <source>The record database &quot;%1&quot; is read-only. The record and the notebook can be viewed, but look-ups are not recorded this run and nothing can be changed.</source>
        <translation>查询记录数据库“%1”是只读的。查询记录和生词本可以查看，但本次运行不记录查询，也不能修改。</translation>
    </message>
</context>
<context>
    <name>tellaria::TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>未知错误</translation>
    </message>
</context>
<context>
    <name>tellaria::TBandArea</name>
    <message>
        <source>Encyclopaedias to look in</source>
        <translation>要查询的百科全书</translation>
    </message>
</context>
<context>
    <name>tellaria::TEncyclopaediaDialog</name>
    <message>
        <source>cat</source>
        <translation>猫</translation>
    </message>
    <message>
        <source>Manage encyclopaedias</source>
        <translation>管理百科全书</translation>
    </message>
    <message>
        <source>List of encyclopaedias</source>
        <translation>百科全书列表</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Address template</source>
        <translation>网址模板</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>添加(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>Move &amp;up</source>
        <translation>上移(&amp;U)</translation>
    </message>
    <message>
        <source>Move dow&amp;n</source>
        <translation>下移(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Restore defaults</source>
        <translation>恢复默认(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Try it</source>
        <translation>试一试(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Sample term:</source>
        <translation>示例词语(&amp;S)：</translation>
    </message>
    <message>
        <source>The address must begin with http:// or https://. {term} is replaced by the term as it is, {utf8} by the term encoded as UTF-8, {gb18030} by the term encoded as GB18030; without any of these, the term is appended to the address.</source>
        <translation>网址须以 http:// 或 https:// 开头。{term} 处填入原样的词语，{utf8} 填入 UTF-8 编码的词语，{gb18030} 填入 GB18030 编码的词语；没有这些时，词语接在网址末尾。</translation>
    </message>
    <message>
        <source>There can be at most %1 encyclopaedias.</source>
        <translation>最多只能有 %1 部百科全书。</translation>
    </message>
    <message>
        <source>New encyclopaedia</source>
        <translation>新百科全书</translation>
    </message>
    <message>
        <source>Will open: %1</source>
        <translation>将打开：%1</translation>
    </message>
</context>
<context>
    <name>tellaria::TFindBar</name>
    <message>
        <source>Find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>Find:</source>
        <translation>查找：</translation>
    </message>
    <message>
        <source>Text to find in all pages</source>
        <translation>要在所有页中查找的文字</translation>
    </message>
    <message>
        <source>Previous match (Shift+F3)</source>
        <translation>上一处 (Shift+F3)</translation>
    </message>
    <message>
        <source>Next match (F3)</source>
        <translation>下一处 (F3)</translation>
    </message>
    <message>
        <source>Close the find bar (Esc)</source>
        <translation>关闭查找栏 (Esc)</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>没有找到</translation>
    </message>
    <message>
        <source>Match %1 of %2, in %3 pages</source>
        <translation>第 %1 处，共 %2 处，在 %3 页中</translation>
    </message>
    <message>
        <source>%1 matches, in %2 pages</source>
        <translation>共 %1 处，在 %2 页中</translation>
    </message>
</context>
<context>
    <name>tellaria::THelpMenu</name>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>键盘快捷键</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>按键</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>其他</translation>
    </message>
    <message>
        <source>About Tellaria</source>
        <translation>关于 Tellaria</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Tellaria %1&lt;/h2&gt;&lt;p&gt;Looks up words in several online reference works at once.&lt;/p&gt;&lt;p&gt;Licence: GPL-3.0-or-later (GNU General Public License, version 3 or later)&lt;/p&gt;&lt;p&gt;Browser engine: Qt WebEngine %2 (Chromium %3)&lt;/p&gt;&lt;p&gt;Settings and query history are kept in:&lt;br&gt;%4&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Tellaria %1&lt;/h2&gt;&lt;p&gt;同时在多部网上工具书中查询词语。&lt;/p&gt;&lt;p&gt;许可证：GPL-3.0-or-later（GNU 通用公共许可证第 3 版或更新版本）&lt;/p&gt;&lt;p&gt;浏览器引擎：Qt WebEngine %2（Chromium %3）&lt;/p&gt;&lt;p&gt;设置和查询历史保存在：&lt;br&gt;%4&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Open folder</source>
        <translation>打开文件夹(&amp;O)</translation>
    </message>
</context>
<context>
    <name>tellaria::THistoryClearing</name>
    <message>
        <source>The history file could not be read at start-up; it is not cleared, to keep what it holds</source>
        <translation>查询历史文件启动时无法读取，为保留其内容不予清除</translation>
    </message>
    <message>
        <source>Clear every term looked up</source>
        <translation>清除所有查询过的词语</translation>
    </message>
    <message>
        <source>Do you really want to clear the whole query history? This cannot be undone.</source>
        <translation>确实要清除所有查询历史吗？此操作无法撤销。</translation>
    </message>
    <message>
        <source>Also clear the look-up &amp;record (the date and term of every look-up)</source>
        <translation>同时清除查询记录（每次查询的日期和词语）(&amp;R)</translation>
    </message>
    <message>
        <source>Cannot clear the look-up record: %1</source>
        <translation>无法清除查询记录：%1</translation>
    </message>
</context>
<context>
    <name>tellaria::TLanguageMenu</name>
    <message>
        <source>The interface language changes when Tellaria is next started.</source>
        <translation>界面语言将在下次启动 Tellaria 时更改。</translation>
    </message>
    <message>
        <source>Follow the &amp;System</source>
        <translation>跟随系统(&amp;S)</translation>
    </message>
</context>
<context>
    <name>tellaria::TNotebookWindow</name>
    <message>
        <source>Vocabulary Notebook</source>
        <translation>生词本</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>搜索(&amp;S)：</translation>
    </message>
    <message>
        <source>Search the notebook</source>
        <translation>搜索生词本</translation>
    </message>
    <message>
        <source>Term</source>
        <translation>词语</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>笔记</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>方式</translation>
    </message>
    <message>
        <source>First look-up</source>
        <translation>首次查询</translation>
    </message>
    <message>
        <source>Last look-up</source>
        <translation>最近查询</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>次数</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>导出(&amp;E)...</translation>
    </message>
    <message>
        <source>Export the notebook as tab-separated text (which flash-card programs import) or as a CSV file</source>
        <translation>把生词本导出为制表符分隔文本（闪卡程序可以导入）或 CSV 文件</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>导入(&amp;I)...</translation>
    </message>
    <message>
        <source>Import words from tab-separated text, merging them with those already kept</source>
        <translation>从制表符分隔文本导入词语，与已有的合并</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>删除(&amp;R)</translation>
    </message>
    <message>
        <source>Remove the chosen words from the notebook</source>
        <translation>从生词本中删除选中的词语</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Close the notebook</source>
        <translation>关闭生词本</translation>
    </message>
    <message>
        <source>Export the Notebook</source>
        <translation>导出生词本</translation>
    </message>
    <message>
        <source>notebook.tsv</source>
        <translation>生词本.tsv</translation>
    </message>
    <message>
        <source>Cannot save the note: %1</source>
        <translation>无法保存笔记：%1</translation>
    </message>
    <message>
        <source>Cannot remove: %1</source>
        <translation>无法删除：%1</translation>
    </message>
</context>
<context>
    <name>tellaria::TPageCommands</name>
    <message>
        <source>There is no program to open web pages. Please install a web browser (for example firefox-esr or chromium) and xdg-utils, and choose the default web browser in the desktop&apos;s settings.</source>
        <translation>没有可以打开网页的程序。请安装网页浏览器（例如 firefox-esr 或 chromium）和 xdg-utils，并在桌面的设置中选择默认的网页浏览器。</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>重新加载(&amp;R)</translation>
    </message>
    <message>
        <source>Open in &amp;browser</source>
        <translation>在浏览器中打开(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Copy address</source>
        <translation>复制网址(&amp;C)</translation>
    </message>
    <message>
        <source>Close this page (&amp;W)</source>
        <translation>关闭此页(&amp;W)</translation>
    </message>
    <message>
        <source>Close &amp;other pages</source>
        <translation>关闭其他页(&amp;O)</translation>
    </message>
</context>
<context>
    <name>tellaria::TPrintPreview</name>
    <message>
        <source>Print Preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>Previous Page</source>
        <translation>上一页</translation>
    </message>
    <message>
        <source>Next Page</source>
        <translation>下一页</translation>
    </message>
    <message>
        <source>Page number</source>
        <translation>页码</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Fit Width</source>
        <translation>适合宽度</translation>
    </message>
    <message>
        <source>Whole Page</source>
        <translation>整页</translation>
    </message>
    <message>
        <source>Single Page</source>
        <translation>单页</translation>
    </message>
    <message>
        <source>Two Pages</source>
        <translation>双页</translation>
    </message>
    <message>
        <source>Page Setup...</source>
        <translation>页面设置…</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>打印…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Making the print preview...</source>
        <translation>正在生成打印预览…</translation>
    </message>
    <message>
        <source>The print preview cannot be made.</source>
        <translation>无法生成打印预览。</translation>
    </message>
    <message>
        <source> of %1 </source>
        <translation> 共 %1 页 </translation>
    </message>
</context>
<context>
    <name>tellaria::TQueryBand</name>
    <message>
        <source>Look up:</source>
        <translation>查询：</translation>
    </message>
    <message>
        <source>Look up</source>
        <translation>查询</translation>
    </message>
</context>
<context>
    <name>tellaria::TQueryEntry</name>
    <message>
        <source>The term is longer than %1 characters; only the first %1 were looked up.</source>
        <translation>查询词超过 %1 个字，只查询了前 %1 个字。</translation>
    </message>
</context>
<context>
    <name>tellaria::TRecordWindow</name>
    <message>
        <source>Look-up Record</source>
        <translation>查询记录</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>搜索(&amp;S)：</translation>
    </message>
    <message>
        <source>Search the record</source>
        <translation>搜索查询记录</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>方式</translation>
    </message>
    <message>
        <source>Term looked up</source>
        <translation>查询词</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>次数</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>导出(&amp;E)...</translation>
    </message>
    <message>
        <source>Export every term looked up, with its dates and times asked, to a file</source>
        <translation>把每个查询过的词语及其日期和次数导出为文件</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>dddd, d MMMM yyyy</source>
        <translation>yyyy年M月d日 dddd</translation>
    </message>
    <message>
        <source>Cannot remove from the record: %1</source>
        <translation>无法删除查询记录：%1</translation>
    </message>
    <message>
        <source>Export the Record</source>
        <translation>导出查询记录</translation>
    </message>
    <message>
        <source>record.tsv</source>
        <translation>查询记录.tsv</translation>
    </message>
</context>
<context>
    <name>tellaria::TResultPages</name>
    <message>
        <source>No encyclopaedia is ticked for the query: please tick at least one above.</source>
        <translation>没有勾选要查询的百科全书：请在上方勾选至少一个。</translation>
    </message>
</context>
<context>
    <name>tellaria::TStartPage</name>
    <message>
        <source>Type what to look up above, choose how to look it up, then press Enter or the &quot;Look up&quot; button to see the results from several online reference works at once.</source>
        <translation>在上方输入要查询的内容，选择查询方式，然后按回车键或“查询”按钮，即可同时在多个网上工具书中查看结果。</translation>
    </message>
</context>
<context>
    <name>tellaria::TStatusLine</name>
    <message>
        <source>Hint</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
</context>
<context>
    <name>tellaria::TTabMark</name>
    <message>
        <source>The page ended unexpectedly</source>
        <translation>页面已意外终止</translation>
    </message>
    <message>
        <source>The page failed to load</source>
        <translation>页面加载失败</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>正在加载……</translation>
    </message>
    <message>
        <source>Loading stopped</source>
        <translation>已停止加载</translation>
    </message>
</context>
<context>
    <name>tellaria::TTabSheet</name>
    <message>
        <source>%1 found</source>
        <translation>找到 %1 处</translation>
    </message>
    <message>
        <source>The term occurs %1 times</source>
        <translation>查询词出现 %1 次</translation>
    </message>
    <message>
        <source>This page has no main text to extract</source>
        <translation>此页没有可提取的正文</translation>
    </message>
    <message>
        <source>The process showing this page ended unexpectedly, perhaps for lack of memory or through a fault.</source>
        <translation>这一页的显示进程意外结束了，可能是内存不足或程序出错。</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>重新加载(&amp;R)</translation>
    </message>
    <message>
        <source>Reload this page (F5)</source>
        <translation>重新加载此页 (F5)</translation>
    </message>
</context>
<context>
    <name>tellaria::TToolbarGrip</name>
    <message>
        <source>Drag here to float the toolbar</source>
        <translation>拖动此处可使工具栏浮动</translation>
    </message>
    <message>
        <source>Toolbar grip</source>
        <translation>工具栏拖动柄</translation>
    </message>
</context>
<context>
    <name>tellaria::TWebBrowser</name>
    <message>
        <source>Open Link in Browser</source>
        <translation>在浏览器中打开链接</translation>
    </message>
    <message>
        <source>Open in Browser</source>
        <translation>在浏览器中打开</translation>
    </message>
    <message>
        <source>Copy Address</source>
        <translation>复制网址</translation>
    </message>
</context>
<context>
    <name>tellaria::TWordKeeping</name>
    <message>
        <source>Keep in the Notebook</source>
        <translation>加入生词本</translation>
    </message>
    <message>
        <source>First type the term to keep into the query box.</source>
        <translation>请先在查询框中输入要加入生词本的词语。</translation>
    </message>
    <message>
        <source>Note on &quot;%1&quot; (may be left empty):</source>
        <translation>“%1”的笔记（可以不写）：</translation>
    </message>
    <message>
        <source>Cannot keep it in the notebook: %1</source>
        <translation>无法加入生词本：%1</translation>
    </message>
    <message>
        <source>In the notebook; click to change the note</source>
        <translation>已在生词本中；单击修改笔记</translation>
    </message>
    <message>
        <source>In the notebook</source>
        <translation>已在生词本中</translation>
    </message>
    <message>
        <source>%1 Keep it under a new name (with .damaged and the time added) and start an empty database? Choose No and look-ups are not recorded this run; the file is left as it is.</source>
        <translation>%1要把它改名保留下来（名字后加上 .damaged 和时间），并新建一个空的数据库吗？选“否”则本次运行不记录查询，文件保持原样。</translation>
    </message>
    <message>
        <source>The damaged record database could not be renamed; the file is left as it is.</source>
        <translation>无法把损坏的查询记录数据库改名，文件保持原样。</translation>
    </message>
    <message>
        <source>The damaged record database was renamed &quot;%1&quot;; a new record starts now.</source>
        <translation>损坏的查询记录数据库已改名为“%1”，新的查询记录从现在开始。</translation>
    </message>
</context>
<context>
    <name>tellaria::TfrmMain</name>
    <message>
        <source>Please enter what to look up!</source>
        <translation>请输入要搜索的内容！</translation>
    </message>
    <message>
        <source>Really close all query results?</source>
        <translation>确实要关闭所有查询结果吗？</translation>
    </message>
</context>
</TS>
