<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CQuillmora</name>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>  Convert</source>
        <translation>  转换</translation>
    </message>
    <message>
        <source>Video Merge</source>
        <translation>视频合并</translation>
    </message>
</context>
</TS>
