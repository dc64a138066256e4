<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CQuillmora</name>
    <message>
        <source>All media files -&gt; MP4</source>
        <translation>すべてのメディアファイル -&gt; MP4</translation>
    </message>
    <message>
        <source>All media files -&gt; FLV</source>
        <translation>すべてのメディアファイル -&gt; FLV</translation>
    </message>
    <message>
        <source>All media files -&gt; AVI</source>
        <translation>すべてのメディアファイル -&gt; AVI</translation>
    </message>
    <message>
        <source>All media files -&gt; ASF</source>
        <translation>すべてのメディアファイル -&gt; ASF</translation>
    </message>
    <message>
        <source>All media files -&gt; DV</source>
        <translation>すべてのメディアファイル -&gt; DV</translation>
    </message>
    <message>
        <source>All media files -&gt; MKV</source>
        <translation>すべてのメディアファイル -&gt; MKV</translation>
    </message>
    <message>
        <source>All media files -&gt; MOV</source>
        <translation>すべてのメディアファイル -&gt; MOV</translation>
    </message>
    <message>
        <source>All media files -&gt; MPG</source>
        <translation>すべてのメディアファイル -&gt; MPG</translation>
    </message>
    <message>
        <source>All media files -&gt; VOB</source>
        <translation>すべてのメディアファイル -&gt; VOB</translation>
    </message>
    <message>
        <source>All media files -&gt; WMV</source>
        <translation>すべてのメディアファイル -&gt; WMV</translation>
    </message>
    <message>
        <source>All media files -&gt; RM</source>
        <translation>すべてのメディアファイル -&gt; RM</translation>
    </message>
    <message>
        <source>All media files -&gt; MP3</source>
        <translation>すべてのメディアファイル -&gt; MP3</translation>
    </message>
    <message>
        <source>All media files -&gt; AAC</source>
        <translation>すべてのメディアファイル -&gt; AAC</translation>
    </message>
    <message>
        <source>All media files -&gt; AC3</source>
        <translation>すべてのメディアファイル -&gt; AC3</translation>
    </message>
    <message>
        <source>All media files -&gt; MP2</source>
        <translation>すべてのメディアファイル -&gt; MP2</translation>
    </message>
    <message>
        <source>All media files -&gt; WMA</source>
        <translation>すべてのメディアファイル -&gt; WMA</translation>
    </message>
    <message>
        <source>All media files -&gt; AIFF</source>
        <translation>すべてのメディアファイル -&gt; AIFF</translation>
    </message>
    <message>
        <source>All media files -&gt; AU</source>
        <translation>すべてのメディアファイル -&gt; AU</translation>
    </message>
    <message>
        <source>All media files -&gt; M4A</source>
        <translation>すべてのメディアファイル -&gt; M4A</translation>
    </message>
    <message>
        <source>All media files -&gt; OGG</source>
        <translation>すべてのメディアファイル -&gt; OGG</translation>
    </message>
    <message>
        <source>All media files -&gt; RA</source>
        <translation>すべてのメディアファイル -&gt; RA</translation>
    </message>
    <message>
        <source>All media files -&gt; FLAC</source>
        <translation>すべてのメディアファイル -&gt; FLAC</translation>
    </message>
    <message>
        <source>All Image files -&gt; JPEG</source>
        <translation>すべての画像ファイル -&gt; JPEG</translation>
    </message>
    <message>
        <source>All Image files -&gt; PNG</source>
        <translation>すべての画像ファイル -&gt; PNG</translation>
    </message>
    <message>
        <source>All Image files -&gt; BMP</source>
        <translation>すべての画像ファイル -&gt; BMP</translation>
    </message>
    <message>
        <source>All Image files -&gt; GIF</source>
        <translation>すべての画像ファイル -&gt; GIF</translation>
    </message>
    <message>
        <source>All Image files -&gt; PCX</source>
        <translation>すべての画像ファイル -&gt; PCX</translation>
    </message>
    <message>
        <source>All Image files -&gt; TGA</source>
        <translation>すべての画像ファイル -&gt; TGA</translation>
    </message>
    <message>
        <source>All Image files -&gt; ICON</source>
        <translation>すべての画像ファイル -&gt; ICON</translation>
    </message>
    <message>
        <source>All Image files -&gt; TIFF</source>
        <translation>すべての画像ファイル -&gt; TIFF</translation>
    </message>
    <message>
        <source>Video Joiner</source>
        <translation>動画結合</translation>
    </message>
    <message>
        <source>Audio Joiner</source>
        <translation>音声結合</translation>
    </message>
    <message>
        <source>GIF Maker</source>
        <translation>GIF 作成</translation>
    </message>
    <message>
        <source>Unsupported file format!</source>
        <translation>サポートされていないファイル形式です！</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>準備完了</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>変換中</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>Successes</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Quillmora converts video, audio and image files into the format you choose, one job after the other.</source>
        <translation>Quillmora は動画・音声・画像ファイルを、選んだ形式へ一つずつ変換します。</translation>
    </message>
    <message>
        <source>Video Merge</source>
        <translation>動画結合</translation>
    </message>
    <message>
        <source>Audio Merge</source>
        <translation>音声結合</translation>
    </message>
    <message>
        <source>Apple</source>
        <translation>Apple</translation>
    </message>
    <message>
        <source>Android</source>
        <translation>Android</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>動画</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音声</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>画像</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>応用</translation>
    </message>
    <message>
        <source>Open the media files</source>
        <translation>メディアファイルを開く</translation>
    </message>
    <message>
        <source>Unsupported format in merge</source>
        <translation>結合できない形式のファイルが含まれています</translation>
    </message>
    <message>
        <source>Unsupported format : </source>
        <translation>サポートされていない形式: </translation>
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
        <translation>ファイルを読み込めませんでした</translation>
    </message>
    <message>
        <source>All Media Files (</source>
        <translation>すべてのメディアファイル (</translation>
    </message>
    <message>
        <source>There is no language data!</source>
        <translation>言語データがありません！</translation>
    </message>
    <message>
        <source>  Remove Item</source>
        <translation>  項目を削除</translation>
    </message>
    <message>
        <source>Remove a selected item on list.</source>
        <translation>リストで選択した項目を削除します。</translation>
    </message>
    <message>
        <source>  Remove List</source>
        <translation>  リストを消去</translation>
    </message>
    <message>
        <source>Empty the list.</source>
        <translation>リストを空にします。</translation>
    </message>
    <message>
        <source>Clean the list.</source>
        <translation>リストをクリアします。</translation>
    </message>
    <message>
        <source>  Convert</source>
        <translation>  変換</translation>
    </message>
    <message>
        <source>Start the file converting.</source>
        <translation>ファイルの変換を開始します。</translation>
    </message>
    <message>
        <source>  Stop</source>
        <translation>  停止</translation>
    </message>
    <message>
        <source>Stop the file converting.</source>
        <translation>ファイルの変換を停止します。</translation>
    </message>
    <message>
        <source>  Edit</source>
        <translation>  編集</translation>
    </message>
    <message>
        <source>Edit the options for converting.</source>
        <translation>変換のオプションを編集します。</translation>
    </message>
    <message>
        <source>  Setting</source>
        <translation>  設定</translation>
    </message>
    <message>
        <source>Set the options for converting.</source>
        <translation>変換のオプションを設定します。</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>出力フォルダー</translation>
    </message>
    <message>
        <source>Open the output folder.</source>
        <translation>出力フォルダーを開きます。</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英語</translation>
    </message>
    <message>
        <source>Select English.</source>
        <translation>英語を選択します。</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中国語</translation>
    </message>
    <message>
        <source>Select Chinese.</source>
        <translation>中国語を選択します。</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>Select Japanese.</source>
        <translation>日本語を選択します。</translation>
    </message>
    <message>
        <source>Select Japaense.</source>
        <translation>日本語に切り替えます。</translation>
    </message>
    <message>
        <source>  About</source>
        <translation>  バージョン情報</translation>
    </message>
    <message>
        <source>Show the Quillmora&apos;s About box.</source>
        <translation>Quillmora のバージョン情報を表示します。</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Close the Quillmora.</source>
        <translation>Quillmora を終了します。</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>変換</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>Input file name</source>
        <translation>入力ファイル名</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>プロファイル</translation>
    </message>
    <message>
        <source>Output file name</source>
        <translation>出力ファイル名</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>出力形式:</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>フォルダーを開く</translation>
    </message>
    <message>
        <source>After Converting : Shut Down Computer</source>
        <translation>変換終了後にコンピューターをシャットダウン</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be created or written to. Converted files go to %2 instead.</source>
        <translation>出力フォルダー %1 を作成できないか、書き込めません。変換したファイルは代わりに %2 に保存します。</translation>
    </message>
    <message>
        <source>Select the output folder</source>
        <translation>出力フォルダーを選択</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to. The output folder stays %2.</source>
        <translation>フォルダー %1 には書き込めません。出力フォルダーは %2 のままです。</translation>
    </message>
    <message>
        <source>Do you want exit really?</source>
        <translation>本当に終了しますか？</translation>
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
        <translation>%1 に作業フォルダーを作成できません: %2</translation>
    </message>
    <message>
        <source>Cannot join into a folder whose name holds a line break: %1</source>
        <translation>名前に改行を含むフォルダーには結合できません: %1</translation>
    </message>
    <message>
        <source>Cannot create the join list %1: %2</source>
        <translation>結合リスト %1 を作成できません: %2</translation>
    </message>
    <message>
        <source>Cannot write the join list %1: %2</source>
        <translation>結合リスト %1 に書き込めません: %2</translation>
    </message>
</context>
<context>
    <name>OutputSettings</name>
    <message>
        <source>Output Settings</source>
        <translation>出力設定</translation>
    </message>
    <message>
        <source>Media Settings</source>
        <translation>メディア設定</translation>
    </message>
    <message>
        <source>Video Encode</source>
        <translation>動画エンコード</translation>
    </message>
    <message>
        <source>Video Size</source>
        <translation>動画サイズ</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>フレームレート</translation>
    </message>
    <message>
        <source>Bitrate (Kbps)</source>
        <translation>ビットレート</translation>
    </message>
    <message>
        <source>SampleRate (Hz)</source>
        <translation>サンプルレート</translation>
    </message>
    <message>
        <source>Audio Encode</source>
        <translation>音声エンコード</translation>
    </message>
    <message>
        <source>Audio Channels</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>Output Format</source>
        <translation>出力形式</translation>
    </message>
    <message>
        <source>Video Stream</source>
        <translation>動画ストリーム</translation>
    </message>
    <message>
        <source>Audio Stream</source>
        <translation>音声ストリーム</translation>
    </message>
    <message>
        <source>Aspect Ratio</source>
        <translation>アスペクト比</translation>
    </message>
    <message>
        <source>Common Settings</source>
        <translation>共通設定</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>出力フォルダー</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
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
        <translation>元のまま</translation>
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
        <translation>2 ステレオ</translation>
    </message>
    <message>
        <source>1 Mono</source>
        <translation>1 モノラル</translation>
    </message>
    <message>
        <source>Select the output folder</source>
        <translation>出力フォルダーを選択</translation>
    </message>
</context>
<context>
    <name>PassWorkspace</name>
    <message>
        <source>Cannot create a working folder: %1</source>
        <translation>作業フォルダーを作成できません: %1</translation>
    </message>
    <message>
        <source>Cannot copy %1: %2</source>
        <translation>%1 をコピーできません: %2</translation>
    </message>
</context>
</TS>
