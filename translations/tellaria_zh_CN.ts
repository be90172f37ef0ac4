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
    <name>tellaria::TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>未知错误</translation>
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
</TS>
