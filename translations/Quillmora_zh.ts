<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BatchMode</name>
    <message>
        <source>quillmora: cannot write into the output folder %1</source>
        <translation>quillmora: 无法写入输出文件夹 %1</translation>
    </message>
    <message>
        <source>%1: failed: %2</source>
        <translation>%1：失败：%2</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>正在停止...</translation>
    </message>
    <message>
        <source>Stopped: %1 of %2 jobs converted.</source>
        <translation>已停止：%2 个任务中已转换 %1 个。</translation>
    </message>
    <message>
        <source>%1 of %2 jobs failed.</source>
        <translation>%2 个任务中有 %1 个失败。</translation>
    </message>
    <message>
        <source>Done: %1 of %2 jobs converted.</source>
        <translation>完成：%2 个任务中已转换 %1 个。</translation>
    </message>
    <message>
        <source>Done: %1 of %2 jobs converted, %3 up to date.</source>
        <translation>完成：已转换 %2 个任务中的 %1 个，%3 个已是最新。</translation>
    </message>
</context>
<context>
    <name>BatchPlan</name>
    <message>
        <source>no such file</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>不是文件</translation>
    </message>
    <message>
        <source>%1 does not take .%2 files</source>
        <translation>%1 不支持 .%2 文件</translation>
    </message>
    <message>
        <source>a join needs at least two files</source>
        <translation>合并至少需要两个文件</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n 个文件</numerusform>
        </translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>无法读取该文件夹</translation>
    </message>
    <message>
        <source>no file in it that %1 takes</source>
        <translation>其中没有 %1 支持的文件</translation>
    </message>
</context>
<context>
    <name>BatchReport</name>
    <message>
        <source>%1 left</source>
        <translation>剩余 %1</translation>
    </message>
    <message>
        <source>done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>已停止</translation>
    </message>
    <message>
        <source>done as %1</source>
        <translation>完成，保存为 %1</translation>
    </message>
    <message>
        <source>up to date</source>
        <translation>已是最新</translation>
    </message>
</context>
<context>
    <name>CQuillmora</name>
    <message>
        <source>All media files -&gt; MP4</source>
        <translation>所有媒体文件 -&gt; MP4</translation>
    </message>
    <message>
        <source>All media files -&gt; FLV</source>
        <translation>所有媒体文件 -&gt; FLV</translation>
    </message>
    <message>
        <source>All media files -&gt; AVI</source>
        <translation>所有媒体文件 -&gt; AVI</translation>
    </message>
    <message>
        <source>All media files -&gt; ASF</source>
        <translation>所有媒体文件 -&gt; ASF</translation>
    </message>
    <message>
        <source>All media files -&gt; DV</source>
        <translation>所有媒体文件 -&gt; DV</translation>
    </message>
    <message>
        <source>All media files -&gt; MKV</source>
        <translation>所有媒体文件 -&gt; MKV</translation>
    </message>
    <message>
        <source>All media files -&gt; MOV</source>
        <translation>所有媒体文件 -&gt; MOV</translation>
    </message>
    <message>
        <source>All media files -&gt; MPG</source>
        <translation>所有媒体文件 -&gt; MPG</translation>
    </message>
    <message>
        <source>All media files -&gt; VOB</source>
        <translation>所有媒体文件 -&gt; VOB</translation>
    </message>
    <message>
        <source>All media files -&gt; WMV</source>
        <translation>所有媒体文件 -&gt; WMV</translation>
    </message>
    <message>
        <source>All media files -&gt; RM</source>
        <translation>所有媒体文件 -&gt; RM</translation>
    </message>
    <message>
        <source>All media files -&gt; MP3</source>
        <translation>所有媒体文件 -&gt; MP3</translation>
    </message>
    <message>
        <source>All media files -&gt; AAC</source>
        <translation>所有媒体文件 -&gt; AAC</translation>
    </message>
    <message>
        <source>All media files -&gt; AC3</source>
        <translation>所有媒体文件 -&gt; AC3</translation>
    </message>
    <message>
        <source>All media files -&gt; MP2</source>
        <translation>所有媒体文件 -&gt; MP2</translation>
    </message>
    <message>
        <source>All media files -&gt; WMA</source>
        <translation>所有媒体文件 -&gt; WMA</translation>
    </message>
    <message>
        <source>All media files -&gt; AIFF</source>
        <translation>所有媒体文件 -&gt; AIFF</translation>
    </message>
    <message>
        <source>All media files -&gt; AU</source>
        <translation>所有媒体文件 -&gt; AU</translation>
    </message>
    <message>
        <source>All media files -&gt; M4A</source>
        <translation>所有媒体文件 -&gt; M4A</translation>
    </message>
    <message>
        <source>All media files -&gt; OGG</source>
        <translation>所有媒体文件 -&gt; OGG</translation>
    </message>
    <message>
        <source>All media files -&gt; RA</source>
        <translation>所有媒体文件 -&gt; RA</translation>
    </message>
    <message>
        <source>All media files -&gt; FLAC</source>
        <translation>所有媒体文件 -&gt; FLAC</translation>
    </message>
    <message>
        <source>All Image files -&gt; JPEG</source>
        <translation>所有图片文件 -&gt; JPEG</translation>
    </message>
    <message>
        <source>All Image files -&gt; PNG</source>
        <translation>所有图片文件 -&gt; PNG</translation>
    </message>
    <message>
        <source>All Image files -&gt; BMP</source>
        <translation>所有图片文件 -&gt; BMP</translation>
    </message>
    <message>
        <source>All Image files -&gt; GIF</source>
        <translation>所有图片文件 -&gt; GIF</translation>
    </message>
    <message>
        <source>All Image files -&gt; PCX</source>
        <translation>所有图片文件 -&gt; PCX</translation>
    </message>
    <message>
        <source>All Image files -&gt; TGA</source>
        <translation>所有图片文件 -&gt; TGA</translation>
    </message>
    <message>
        <source>All Image files -&gt; ICON</source>
        <translation>所有图片文件 -&gt; ICON</translation>
    </message>
    <message>
        <source>All Image files -&gt; TIFF</source>
        <translation>所有图片文件 -&gt; TIFF</translation>
    </message>
    <message>
        <source>Video Joiner</source>
        <translation>视频合并</translation>
    </message>
    <message>
        <source>Audio Joiner</source>
        <translation>音频合并</translation>
    </message>
    <message>
        <source>GIF Maker</source>
        <translation>GIF 制作</translation>
    </message>
    <message>
        <source>Unsupported file format!</source>
        <translation>不支持的文件格式！</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>正在转换</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>已停止</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Successes</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Video Merge</source>
        <translation>视频合并</translation>
    </message>
    <message>
        <source>Audio Merge</source>
        <translation>音频合并</translation>
    </message>
    <message>
        <source>Apple</source>
        <translation>苹果设备</translation>
    </message>
    <message>
        <source>Android</source>
        <translation>安卓设备</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>图片</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
    <message>
        <source>Open the media files</source>
        <translation>打开媒体文件</translation>
    </message>
    <message>
        <source>Unsupported format in merge</source>
        <translation>合并的文件中有不支持的格式</translation>
    </message>
    <message>
        <source>Unsupported format : </source>
        <translation>不支持的格式： </translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source> </source>
        <translation> </translation>
    </message>
    <message>
        <source>Failed to import Files</source>
        <translation>导入文件失败</translation>
    </message>
    <message>
        <source>All Media Files (</source>
        <translation>所有媒体文件 (</translation>
    </message>
    <message>
        <source>There is no language data!</source>
        <translation>没有语言数据！</translation>
    </message>
    <message>
        <source>  Remove Item</source>
        <translation>  删除项目</translation>
    </message>
    <message>
        <source>Remove a selected item on list.</source>
        <translation>从列表中删除选中的项目。</translation>
    </message>
    <message>
        <source>  Remove List</source>
        <translation>  清空列表</translation>
    </message>
    <message>
        <source>Empty the list.</source>
        <translation>清空列表。</translation>
    </message>
    <message>
        <source>Clean the list.</source>
        <translation>清除列表中的所有项目。</translation>
    </message>
    <message>
        <source>  Convert</source>
        <translation>  转换</translation>
    </message>
    <message>
        <source>Start the file converting.</source>
        <translation>开始转换文件。</translation>
    </message>
    <message>
        <source>  Stop</source>
        <translation>  停止</translation>
    </message>
    <message>
        <source>Stop the file converting.</source>
        <translation>停止转换文件。</translation>
    </message>
    <message>
        <source>  Edit</source>
        <translation>  编辑</translation>
    </message>
    <message>
        <source>Edit the options for converting.</source>
        <translation>编辑转换选项。</translation>
    </message>
    <message>
        <source>  Setting</source>
        <translation>  设置</translation>
    </message>
    <message>
        <source>Set the options for converting.</source>
        <translation>设置转换选项。</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>输出文件夹</translation>
    </message>
    <message>
        <source>Open the output folder.</source>
        <translation>打开输出文件夹。</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英语</translation>
    </message>
    <message>
        <source>Select English.</source>
        <translation>选择英语。</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Select Chinese.</source>
        <translation>选择中文。</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日语</translation>
    </message>
    <message>
        <source>Select Japanese.</source>
        <translation>选择日语。</translation>
    </message>
    <message>
        <source>Select Japaense.</source>
        <translation>切换为日语。</translation>
    </message>
    <message>
        <source>  About</source>
        <translation>  关于</translation>
    </message>
    <message>
        <source>Show the Quillmora&apos;s About box.</source>
        <translation>显示 Quillmora 的关于信息。</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Close the Quillmora.</source>
        <translation>关闭 Quillmora。</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>转换</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Input file name</source>
        <translation>输入文件名</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>输出配置</translation>
    </message>
    <message>
        <source>Output file name</source>
        <translation>输出文件名</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>输出格式：</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>After Converting : Shut Down Computer</source>
        <translation>转换完成后关闭计算机</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be created or written to. Converted files go to %2 instead.</source>
        <translation>无法创建或写入输出文件夹 %1。转换后的文件将保存到 %2。</translation>
    </message>
    <message>
        <source>Select the output folder</source>
        <translation>选择输出文件夹</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to. The output folder stays %2.</source>
        <translation>无法写入文件夹 %1。输出文件夹仍为 %2。</translation>
    </message>
    <message>
        <source>Do you want exit really?</source>
        <translation>确定要退出吗？</translation>
    </message>
    <message>
        <source>Quillmora</source>
        <translation>Quillmora</translation>
    </message>
    <message>
        <source>%p% · %1 left</source>
        <translation>%p% · 剩余 %1</translation>
    </message>
    <message>
        <source>Restore the unfinished job?</source>
        <translation>是否恢复未完成的任务？</translation>
    </message>
    <message>
        <source>Restore the %1 unfinished jobs?</source>
        <translation>是否恢复 %1 个未完成的任务？</translation>
    </message>
    <message>
        <source>Job list</source>
        <translation>任务列表</translation>
    </message>
    <message>
        <source>More actions</source>
        <translation>更多操作</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>以及另外 %n 个</numerusform>
        </translation>
    </message>
    <message>
        <source>All media files -&gt; WebM</source>
        <translation>所有媒体文件 -&gt; WebM</translation>
    </message>
    <message>
        <source>All media files -&gt; HEVC</source>
        <translation>所有媒体文件 -&gt; HEVC</translation>
    </message>
    <message>
        <source>All media files -&gt; AV1</source>
        <translation>所有媒体文件 -&gt; AV1</translation>
    </message>
    <message>
        <source>All media files -&gt; Opus</source>
        <translation>所有媒体文件 -&gt; Opus</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>Keep the source&apos;s file date</source>
        <translation>保留源文件的日期</translation>
    </message>
    <message>
        <source>Give each converted file the date of its source file.</source>
        <translation>让每个转换后的文件使用其源文件的日期。</translation>
    </message>
    <message>
        <source>Quillmora converts video, audio and image files into the format you choose, several jobs at once.</source>
        <translation>Quillmora 将视频、音频和图片文件转换为您选择的格式，可同时进行多个任务。</translation>
    </message>
    <message>
        <source>All jobs: %1 left</source>
        <translation>全部任务：剩余 %1</translation>
    </message>
    <message>
        <source>Jobs at once</source>
        <translation>同时进行的任务数</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Sound and pictures on every core, videos one at a time.</source>
        <translation>音频和图片使用所有核心，视频逐个转换。</translation>
    </message>
    <message>
        <source>All Image files -&gt; WebP</source>
        <translation>所有图片文件 -&gt; WebP</translation>
    </message>
    <message>
        <source>All Image files -&gt; AVIF</source>
        <translation>所有图片文件 -&gt; AVIF</translation>
    </message>
    <message>
        <source>Check quality</source>
        <translation>检查质量</translation>
    </message>
    <message>
        <source>After each video job, compare the converted picture with its source (SSIM and PSNR); the job&apos;s tooltip shows the figures.</source>
        <translation>每个视频任务完成后，将转换后的画面与源文件比较（SSIM 和 PSNR）；任务的提示中显示结果。</translation>
    </message>
    <message>
        <source>Up to date</source>
        <translation>已是最新</translation>
    </message>
    <message>
        <source>Add the media files of a folder</source>
        <translation>添加文件夹中的媒体文件</translation>
    </message>
    <message>
        <source>The kept lists of unfinished jobs could not be read. They were set aside as %1, and the window starts with an empty list.</source>
        <translation>无法读取保存的未完成任务列表。它们已被移到 %1 保留，窗口以空列表启动。</translation>
    </message>
    <message>
        <source>The kept lists of unfinished jobs in %1 were written by a newer version of Quillmora and are left as they are. This window starts with an empty list, and its jobs are not kept for the next start.</source>
        <translation>%1 中保存的未完成任务列表由更新版本的 Quillmora 写入，保持原样不动。此窗口以空列表启动，其任务不会保留到下次启动。</translation>
    </message>
    <message>
        <source>A kept list of unfinished jobs could not be read. It was set aside as %1.</source>
        <translation>无法读取一个保存的未完成任务列表。它已被移到 %1 保留。</translation>
    </message>
    <message>
        <source>One more job stays kept for a later start: a file of it is not there now, or this version cannot read it.</source>
        <translation>另有 1 个任务保留到以后启动：它的文件现在不在，或此版本无法读取它。</translation>
    </message>
    <message>
        <source>%1 more jobs stay kept for a later start: files of them are not there now, or this version cannot read them.</source>
        <translation>另有 %1 个任务保留到以后启动：它们的文件现在不在，或此版本无法读取它们。</translation>
    </message>
    <message>
        <source>Add Folder...</source>
        <translation>添加文件夹...</translation>
    </message>
    <message>
        <source>Add every file of a folder and its subfolders with the current format.</source>
        <translation>以当前格式添加文件夹及其子文件夹中的所有文件。</translation>
    </message>
    <message>
        <source>Keep the folder structure</source>
        <translation>保留文件夹结构</translation>
    </message>
    <message>
        <source>Put the outputs of a folder&apos;s files into the same subfolders of the output folder.</source>
        <translation>将文件夹中各文件的输出放入输出文件夹中相同的子文件夹。</translation>
    </message>
    <message>
        <source>Skip files already converted</source>
        <translation>跳过已转换的文件</translation>
    </message>
    <message>
        <source>Leave a job unconverted when its output is there and not older than its source.</source>
        <translation>当输出文件已存在且不比源文件旧时，不转换该任务。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Apple devices (MOV, H.264 and AAC)</source>
        <translation>苹果设备（MOV、H.264 和 AAC）</translation>
    </message>
    <message>
        <source>Android devices (MP4, H.264 and AAC)</source>
        <translation>安卓设备（MP4、H.264 和 AAC）</translation>
    </message>
    <message>
        <source>Converts video, audio and picture files. Without --convert the files are opened in the window as jobs.</source>
        <translation>转换视频、音频和图片文件。不带 --convert 时，文件将作为任务在窗口中打开。</translation>
    </message>
    <message>
        <source>Convert the files without a window, then exit: 0 when every job succeeded.</source>
        <translation>不打开窗口直接转换文件，然后退出：所有任务都成功时返回 0。</translation>
    </message>
    <message>
        <source>The output format, by the name of its button (see --list-formats).</source>
        <translation>输出格式，使用其按钮的名称（见 --list-formats）。</translation>
    </message>
    <message>
        <source>name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>The folder the outputs go to (default: the current folder).</source>
        <translation>输出文件保存到的文件夹（默认：当前文件夹）。</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>Replace existing outputs instead of writing &quot;name_1&quot; beside them.</source>
        <translation>覆盖已存在的输出文件，而不是在旁边另存为“name_1”。</translation>
    </message>
    <message>
        <source>Print the format names and exit.</source>
        <translation>列出格式名称后退出。</translation>
    </message>
    <message>
        <source>--%1 is an option of --convert.</source>
        <translation>--%1 是 --convert 的选项。</translation>
    </message>
    <message>
        <source>--convert needs --format; --list-formats prints the formats.</source>
        <translation>--convert 需要 --format；--list-formats 可列出所有格式。</translation>
    </message>
    <message>
        <source>Unknown format &quot;%1&quot;; --list-formats prints the formats.</source>
        <translation>未知格式“%1”；--list-formats 可列出所有格式。</translation>
    </message>
    <message>
        <source>No files to convert.</source>
        <translation>没有要转换的文件。</translation>
    </message>
    <message>
        <source>A join needs at least two files.</source>
        <translation>合并至少需要两个文件。</translation>
    </message>
    <message>
        <source>Try &apos;quillmora --help&apos; for more information.
</source>
        <translation>运行 &apos;quillmora --help&apos; 查看更多信息。
</translation>
    </message>
    <message>
        <source>Give each output the modification date of its source (a join: of its first file).</source>
        <translation>让每个输出文件使用其源文件的修改日期（合并时使用第一个文件的日期）。</translation>
    </message>
    <message>
        <source>How many jobs run at once: a number, or &quot;auto&quot; (the default) for sound and pictures on every core and videos one at a time.</source>
        <translation>同时运行的任务数：一个数字，或 &quot;auto&quot;（默认），即音频和图片使用所有核心、视频逐个转换。</translation>
    </message>
    <message>
        <source>count</source>
        <translation>数量</translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 up, or &quot;auto&quot;; not &quot;%1&quot;.</source>
        <translation>--jobs 需要 1 或更大的数字，或 &quot;auto&quot;；而不是 &quot;%1&quot;。</translation>
    </message>
    <message>
        <source>Make the sound of every output (a join as a whole) equally loud by EBU R128, its true peak at most -1 dBTP: -14 (streaming), -16 (podcasts and phones) or -23 (broadcast) LUFS, or &quot;off&quot; (the default).</source>
        <translation>按 EBU R128 使每个输出（合并则作为整体）的响度一致，真峰值不超过 -1 dBTP：-14（流媒体）、-16（播客和手机）或 -23（广播）LUFS，或 &quot;off&quot;（默认）。</translation>
    </message>
    <message>
        <source>LUFS</source>
        <translation>LUFS</translation>
    </message>
    <message>
        <source>--loudness takes -14, -16 or -23 (LUFS), or &quot;off&quot;; not &quot;%1&quot;.</source>
        <translation>--loudness 接受 -14、-16 或 -23（LUFS），或 &quot;off&quot;；不接受 &quot;%1&quot;。</translation>
    </message>
    <message>
        <source>--loudness is for formats with sound; %1 has none.</source>
        <translation>--loudness 用于有声音的格式；%1 没有声音。</translation>
    </message>
    <message>
        <source>After each video job, compare the converted picture with its source and print its SSIM and PSNR (&quot;SSIM 0.987, PSNR 41.2 dB&quot;); an edited picture is not measured.</source>
        <translation>每个视频任务完成后，将转换后的画面与源文件比较并输出 SSIM 和 PSNR（&quot;SSIM 0.987, PSNR 41.2 dB&quot;）；编辑过的画面不测量。</translation>
    </message>
    <message>
        <source>--check-quality is for video formats; %1 is not one.</source>
        <translation>--check-quality 仅用于视频格式；%1 不是视频格式。</translation>
    </message>
    <message>
        <source>Fit each video in this size, encoded in two passes: 25MB, 1.5GB, 700MiB (kB, MB and GB are powers of ten, KiB, MiB and GiB of two; a bare number is MB).</source>
        <translation>将每个视频以两遍编码装入此大小：25MB、1.5GB、700MiB（kB、MB、GB 为十的幂，KiB、MiB、GiB 为二的幂；只写数字即为 MB）。</translation>
    </message>
    <message>
        <source>size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Convert only what is new or changed: a job whose output is there and not older than its source is left as it is (&quot;up to date&quot;); an older output is replaced.</source>
        <translation>只转换新的或已更改的文件：输出已存在且不比源文件旧的任务保持不变（“已是最新”）；较旧的输出将被替换。</translation>
    </message>
    <message>
        <source>Put the outputs of the files found in folders into the output folder itself instead of the same subfolders.</source>
        <translation>将在文件夹中找到的文件的输出直接放入输出文件夹，而不是相同的子文件夹。</translation>
    </message>
    <message>
        <source>The media files, and folders: every file under a folder that the format takes.</source>
        <translation>媒体文件和文件夹：文件夹下该格式接受的所有文件。</translation>
    </message>
    <message>
        <source>--size takes a size such as 25MB, 1.5GB or 700MiB; not &quot;%1&quot;.</source>
        <translation>--size 需要一个大小，例如 25MB、1.5GB 或 700MiB；而不是“%1”。</translation>
    </message>
    <message>
        <source>--size is for video in H.264, H.265, VP9 or AV1, which encode in two passes; %1 is not.</source>
        <translation>--size 只适用于 H.264、H.265、VP9 或 AV1 视频（它们以两遍编码）；%1 不是。</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>无法启动 %1：%2</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>The conversion was stopped.</source>
        <translation>转换已停止。</translation>
    </message>
    <message>
        <source>Cannot start %1: %2</source>
        <translation>无法启动 %1：%2</translation>
    </message>
    <message>
        <source>%1 crashed.</source>
        <translation>%1 异常退出。</translation>
    </message>
    <message>
        <source>%1 failed with exit code %2.</source>
        <translation>%1 运行失败，退出代码为 %2。</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>无法创建文件夹 %1。</translation>
    </message>
</context>
<context>
    <name>CopiedStreams</name>
    <message>
        <source>Video and audio copied without re-encoding</source>
        <translation>视频和音频已直接复制，未重新编码</translation>
    </message>
    <message>
        <source>Video copied without re-encoding</source>
        <translation>视频已直接复制，未重新编码</translation>
    </message>
    <message>
        <source>Audio copied without re-encoding</source>
        <translation>音频已直接复制，未重新编码</translation>
    </message>
</context>
<context>
    <name>DemoPlayer</name>
    <message>
        <source>Effect</source>
        <translation>效果</translation>
    </message>
    <message>
        <source>Split Option</source>
        <translation>剪切选项</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>结束时间</translation>
    </message>
    <message>
        <source>Rotate Option</source>
        <translation>旋转选项</translation>
    </message>
    <message>
        <source>vflip</source>
        <translation>垂直翻转</translation>
    </message>
    <message>
        <source>hflip</source>
        <translation>水平翻转</translation>
    </message>
    <message>
        <source>Video Effect</source>
        <translation>视频效果</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>音量：</translation>
    </message>
    <message>
        <source>Brightness:</source>
        <translation>亮度：</translation>
    </message>
    <message>
        <source>Contrast:</source>
        <translation>对比度：</translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>饱和度：</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation>水印</translation>
    </message>
    <message>
        <source>Image Watermark</source>
        <translation>图片水印</translation>
    </message>
    <message>
        <source>Image :</source>
        <translation>图片：</translation>
    </message>
    <message>
        <source>X : </source>
        <translation>X： </translation>
    </message>
    <message>
        <source>Y : </source>
        <translation>Y： </translation>
    </message>
    <message>
        <source>Text Watermark</source>
        <translation>文字水印</translation>
    </message>
    <message>
        <source>Text : </source>
        <translation>文字： </translation>
    </message>
    <message>
        <source>Font : </source>
        <translation>字体： </translation>
    </message>
    <message>
        <source>Font Size : </source>
        <translation>字号： </translation>
    </message>
    <message>
        <source>Font Color : </source>
        <translation>字体颜色： </translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation>字幕</translation>
    </message>
    <message>
        <source>Select Subtitle</source>
        <translation>选择字幕</translation>
    </message>
    <message>
        <source>Subtitle : </source>
        <translation>字幕： </translation>
    </message>
    <message>
        <source>Search : </source>
        <translation>查找： </translation>
    </message>
    <message>
        <source>Search Subtitle</source>
        <translation>查找字幕</translation>
    </message>
    <message>
        <source>Font Option</source>
        <translation>字体选项</translation>
    </message>
    <message>
        <source>Code Page :</source>
        <translation>代码页：</translation>
    </message>
    <message>
        <source>Font :</source>
        <translation>字体：</translation>
    </message>
    <message>
        <source>Font Size :</source>
        <translation>字号：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>This file cannot be previewed:
%1</source>
        <translation>无法预览此文件：
%1</translation>
    </message>
    <message>
        <source>White</source>
        <translation>白色</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>黑色</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>DarkRed</source>
        <translation>深红色</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>DarkGreen</source>
        <translation>深绿色</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>青色</translation>
    </message>
    <message>
        <source>Darkcyan</source>
        <translation>深青色</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>品红色</translation>
    </message>
    <message>
        <source>Darkmagenta</source>
        <translation>深品红色</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黄色</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>灰色</translation>
    </message>
    <message>
        <source>Darkgray</source>
        <translation>深灰色</translation>
    </message>
    <message>
        <source>All Subtitle Files (</source>
        <translation>所有字幕文件 (</translation>
    </message>
    <message>
        <source>Open the subtitle file</source>
        <translation>打开字幕文件</translation>
    </message>
    <message>
        <source>All Image Files (</source>
        <translation>所有图片文件 (</translation>
    </message>
    <message>
        <source>Open the image file</source>
        <translation>打开图片文件</translation>
    </message>
    <message>
        <source>Edits</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Previous file</source>
        <translation>上一个文件</translation>
    </message>
    <message>
        <source>Next file</source>
        <translation>下一个文件</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
</context>
<context>
    <name>FitSize</name>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 kB</source>
        <translation>%1 kB</translation>
    </message>
    <message>
        <source>Only video in H.264, H.265, VP9 or AV1 can be fitted in a size: those encode in two passes.</source>
        <translation>只有 H.264、H.265、VP9 或 AV1 视频能装入指定大小：它们以两遍编码。</translation>
    </message>
    <message>
        <source>%1 is too small for %2 of video; %3 is the least that works</source>
        <translation>%1 容不下 %2 的视频；至少需要 %3</translation>
    </message>
</context>
<context>
    <name>GifMerge</name>
    <message>
        <source>GIF Maker</source>
        <translation>GIF 制作</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Current intercept 5 seconds</source>
        <translation>当前截取 5 秒</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Small Image</source>
        <translation>小尺寸</translation>
    </message>
    <message>
        <source>Middle Image</source>
        <translation>中尺寸</translation>
    </message>
    <message>
        <source>Large Image</source>
        <translation>大尺寸</translation>
    </message>
    <message>
        <source>All Media Files (</source>
        <translation>所有媒体文件 (</translation>
    </message>
    <message>
        <source>Open the media files</source>
        <translation>打开媒体文件</translation>
    </message>
    <message>
        <source>This file cannot be played:
%1</source>
        <translation>无法播放此文件：
%1</translation>
    </message>
    <message>
        <source>Current intercept </source>
        <translation>当前截取 </translation>
    </message>
    <message>
        <source> seconds</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>Start earlier</source>
        <translation>提前开始</translation>
    </message>
    <message>
        <source>Start later</source>
        <translation>推迟开始</translation>
    </message>
    <message>
        <source>Shorter</source>
        <translation>缩短</translation>
    </message>
    <message>
        <source>Longer</source>
        <translation>延长</translation>
    </message>
    <message>
        <source>Length of the GIF</source>
        <translation>GIF 的长度</translation>
    </message>
</context>
<context>
    <name>JoinWorkspace</name>
    <message>
        <source>Cannot create a working folder in %1: %2</source>
        <translation>无法在 %1 中创建工作文件夹：%2</translation>
    </message>
    <message>
        <source>Cannot join into a folder whose name holds a line break: %1</source>
        <translation>无法合并到名称中含有换行符的文件夹：%1</translation>
    </message>
    <message>
        <source>Cannot create the join list %1: %2</source>
        <translation>无法创建合并列表 %1：%2</translation>
    </message>
    <message>
        <source>Cannot write the join list %1: %2</source>
        <translation>无法写入合并列表 %1：%2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>OutputSettings</name>
    <message>
        <source>Output Settings</source>
        <translation>输出设置</translation>
    </message>
    <message>
        <source>Media Settings</source>
        <translation>媒体设置</translation>
    </message>
    <message>
        <source>Video Encode</source>
        <translation>视频编码</translation>
    </message>
    <message>
        <source>Video Size</source>
        <translation>视频尺寸</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>帧率</translation>
    </message>
    <message>
        <source>Bitrate (Kbps)</source>
        <translation>比特率 (Kbps)</translation>
    </message>
    <message>
        <source>SampleRate (Hz)</source>
        <translation>采样率 (Hz)</translation>
    </message>
    <message>
        <source>Audio Encode</source>
        <translation>音频编码</translation>
    </message>
    <message>
        <source>Audio Channels</source>
        <translation>声道</translation>
    </message>
    <message>
        <source>Output Format</source>
        <translation>输出格式</translation>
    </message>
    <message>
        <source>Video Stream</source>
        <translation>视频流</translation>
    </message>
    <message>
        <source>Audio Stream</source>
        <translation>音频流</translation>
    </message>
    <message>
        <source>Aspect Ratio</source>
        <translation>宽高比</translation>
    </message>
    <message>
        <source>Common Settings</source>
        <translation>常规设置</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>输出文件夹</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>AVC(H.264)</source>
        <translation>AVC(H.264)</translation>
    </message>
    <message>
        <source>FLV1</source>
        <translation>FLV1</translation>
    </message>
    <message>
        <source>MPEG4</source>
        <translation>MPEG4</translation>
    </message>
    <message>
        <source>MSMPEG4V2</source>
        <translation>MSMPEG4V2</translation>
    </message>
    <message>
        <source>WMV1</source>
        <translation>WMV1</translation>
    </message>
    <message>
        <source>WMV2</source>
        <translation>WMV2</translation>
    </message>
    <message>
        <source>MPEG1</source>
        <translation>MPEG1</translation>
    </message>
    <message>
        <source>MPEG2</source>
        <translation>MPEG2</translation>
    </message>
    <message>
        <source>MJPEG</source>
        <translation>MJPEG</translation>
    </message>
    <message>
        <source>DV</source>
        <translation>DV</translation>
    </message>
    <message>
        <source>RV1</source>
        <translation>RV1</translation>
    </message>
    <message>
        <source>RV2</source>
        <translation>RV2</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>原始</translation>
    </message>
    <message>
        <source>320x240 (QVGA)</source>
        <translation>320x240 (QVGA)</translation>
    </message>
    <message>
        <source>352x288 (CIF)</source>
        <translation>352x288 (CIF)</translation>
    </message>
    <message>
        <source>480x360 (360p)</source>
        <translation>480x360 (360p)</translation>
    </message>
    <message>
        <source>720x480 (HD)</source>
        <translation>720x480 (HD)</translation>
    </message>
    <message>
        <source>640x480 (VGA)</source>
        <translation>640x480 (VGA)</translation>
    </message>
    <message>
        <source>720x576 (DVDPAL)</source>
        <translation>720x576 (DVDPAL)</translation>
    </message>
    <message>
        <source>1024x768</source>
        <translation>1024x768</translation>
    </message>
    <message>
        <source>1280x1024</source>
        <translation>1280x1024</translation>
    </message>
    <message>
        <source>1440x1080</source>
        <translation>1440x1080</translation>
    </message>
    <message>
        <source>1920x1080</source>
        <translation>1920x1080</translation>
    </message>
    <message>
        <source>AAC</source>
        <translation>AAC</translation>
    </message>
    <message>
        <source>MP3</source>
        <translation>MP3</translation>
    </message>
    <message>
        <source>MP2</source>
        <translation>MP2</translation>
    </message>
    <message>
        <source>AC3</source>
        <translation>AC3</translation>
    </message>
    <message>
        <source>WMAV1</source>
        <translation>WMAV1</translation>
    </message>
    <message>
        <source>WMAV2</source>
        <translation>WMAV2</translation>
    </message>
    <message>
        <source>PCM</source>
        <translation>PCM</translation>
    </message>
    <message>
        <source>PCMS16</source>
        <translation>PCMS16</translation>
    </message>
    <message>
        <source>PCMS16BE</source>
        <translation>PCMS16BE</translation>
    </message>
    <message>
        <source>FLAC</source>
        <translation>FLAC</translation>
    </message>
    <message>
        <source>2 Stereo</source>
        <translation>2 立体声</translation>
    </message>
    <message>
        <source>1 Mono</source>
        <translation>1 单声道</translation>
    </message>
    <message>
        <source>Select the output folder</source>
        <translation>选择输出文件夹</translation>
    </message>
    <message>
        <source>HEVC(H.265)</source>
        <translation>HEVC(H.265)</translation>
    </message>
    <message>
        <source>VP9</source>
        <translation>VP9</translation>
    </message>
    <message>
        <source>AV1</source>
        <translation>AV1</translation>
    </message>
    <message>
        <source>Opus</source>
        <translation>Opus</translation>
    </message>
    <message>
        <source>Normalise loudness</source>
        <translation>响度标准化</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>-14 LUFS (streaming)</source>
        <translation>-14 LUFS（流媒体）</translation>
    </message>
    <message>
        <source>-16 LUFS (podcasts and phones)</source>
        <translation>-16 LUFS（播客和手机）</translation>
    </message>
    <message>
        <source>-23 LUFS (EBU R128 broadcast)</source>
        <translation>-23 LUFS（EBU R128 广播）</translation>
    </message>
    <message>
        <source>Fit in</source>
        <translation>装入大小</translation>
    </message>
    <message>
        <source>The most the file may take: the picture&apos;s bitrate follows from it. AV1 has no two passes here: it is encoded once, and once more at a corrected bitrate when the file lands outside the size. Pick a size or type your own, such as 30 MB or 1.5 GB.</source>
        <translation>文件最多可占用的大小：画面的码率由它算出。此处 AV1 没有两遍编码：先编码一次，文件超出范围时再以校正后的码率编码一次。可选择一个大小，或自行输入，例如 30 MB 或 1.5 GB。</translation>
    </message>
    <message>
        <source>The most the file may take: the picture&apos;s bitrate follows from it, encoded in two passes. Pick a size or type your own, such as 30 MB or 1.5 GB.</source>
        <translation>文件最多可占用的大小：画面的码率由它算出，以两遍编码。可选择一个大小，或自行输入，例如 30 MB 或 1.5 GB。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a size: write one such as 30 MB, 1.5 GB or 700 MiB.</source>
        <translation>“%1”不是大小：请写成 30 MB、1.5 GB 或 700 MiB 这样的形式。</translation>
    </message>
</context>
<context>
    <name>PassWorkspace</name>
    <message>
        <source>Cannot create a working folder: %1</source>
        <translation>无法创建工作文件夹：%1</translation>
    </message>
    <message>
        <source>Cannot copy %1: %2</source>
        <translation>无法复制 %1：%2</translation>
    </message>
</context>
<context>
    <name>QualityReport</name>
    <message>
        <source>SSIM %1, PSNR infinite: every frame is the source&apos;s</source>
        <translation>SSIM %1，PSNR 无穷大：每一帧都与源文件相同</translation>
    </message>
    <message>
        <source>SSIM %1, PSNR %2 dB</source>
        <translation>SSIM %1，PSNR %2 dB</translation>
    </message>
    <message>
        <source>quality not measured: a join has no one source to compare with</source>
        <translation>未测量质量：合并的文件没有单一的源文件可供比较</translation>
    </message>
    <message>
        <source>quality not measured: the picture was edited</source>
        <translation>未测量质量：画面已被编辑</translation>
    </message>
    <message>
        <source>quality not measured: %1</source>
        <translation>未测量质量：%1</translation>
    </message>
</context>
<context>
    <name>ResultShow</name>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>3 tasks have been completed</source>
        <translation>3 个任务已完成</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>  task has been completed</source>
        <translation>  个任务已完成</translation>
    </message>
    <message>
        <source>  tasks have been completed</source>
        <translation>  个任务已完成</translation>
    </message>
    <message>
        <source>  task has been failed</source>
        <translation>  个任务失败</translation>
    </message>
    <message>
        <source>  tasks have been failed</source>
        <translation>  个任务失败</translation>
    </message>
</context>
<context>
    <name>RunControl</name>
    <message>
        <source>Output file already exists! Do you want to overwrite?
%1</source>
        <translation>输出文件已存在！是否覆盖？
%1</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>转换完成</translation>
    </message>
    <message>
        <source>Succeeded: %1, failed: %2</source>
        <translation>成功：%1，失败：%2</translation>
    </message>
</context>
<context>
    <name>VlcWidgetSeek</name>
    <message>
        <source>Position</source>
        <translation>播放位置</translation>
    </message>
</context>
</TS>
