<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
        <source>Quillmora converts video, audio and image files into the format you choose, one job after the other.</source>
        <translation>Quillmora 将视频、音频和图片文件逐个转换为您选择的格式。</translation>
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
        <translation>不支持的格式：</translation>
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
</TS>
