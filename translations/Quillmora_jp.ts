<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>BatchMode</name>
    <message>
        <source>quillmora: cannot write into the output folder %1</source>
        <translation>quillmora: 出力フォルダー %1 に書き込めません</translation>
    </message>
    <message>
        <source>%1: failed: %2</source>
        <translation>%1: 失敗: %2</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>停止しています...</translation>
    </message>
    <message>
        <source>Stopped: %1 of %2 jobs converted.</source>
        <translation>停止しました: %2 件中 %1 件のジョブを変換しました。</translation>
    </message>
    <message>
        <source>%1 of %2 jobs failed.</source>
        <translation>%2 件中 %1 件のジョブが失敗しました。</translation>
    </message>
    <message>
        <source>Done: %1 of %2 jobs converted.</source>
        <translation>完了: %2 件中 %1 件のジョブを変換しました。</translation>
    </message>
    <message>
        <source>Done: %1 of %2 jobs converted, %3 up to date.</source>
        <translation>完了：%2 件中 %1 件を変換、%3 件は最新です。</translation>
    </message>
</context>
<context>
    <name>BatchPlan</name>
    <message>
        <source>no such file</source>
        <translation>ファイルが存在しません</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>ファイルではありません</translation>
    </message>
    <message>
        <source>%1 does not take .%2 files</source>
        <translation>%1 は .%2 ファイルに対応していません</translation>
    </message>
    <message>
        <source>a join needs at least two files</source>
        <translation>結合には少なくとも 2 つのファイルが必要です</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n 個のファイル</numerusform>
        </translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>フォルダーを読み取れません</translation>
    </message>
    <message>
        <source>no file in it that %1 takes</source>
        <translation>%1 が対応するファイルがありません</translation>
    </message>
</context>
<context>
    <name>BatchReport</name>
    <message>
        <source>%1 left</source>
        <translation>残り %1</translation>
    </message>
    <message>
        <source>done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>done as %1</source>
        <translation>完了、%1 として保存</translation>
    </message>
    <message>
        <source>up to date</source>
        <translation>最新</translation>
    </message>
</context>
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
    <message>
        <source>%p% · %1 left</source>
        <translation>%p% · 残り %1</translation>
    </message>
    <message>
        <source>Restore the unfinished job?</source>
        <translation>未完了のジョブを復元しますか？</translation>
    </message>
    <message>
        <source>Restore the %1 unfinished jobs?</source>
        <translation>未完了の %1 件のジョブを復元しますか？</translation>
    </message>
    <message>
        <source>Job list</source>
        <translation>ジョブ一覧</translation>
    </message>
    <message>
        <source>More actions</source>
        <translation>その他の操作</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>ほか %n 件</numerusform>
        </translation>
    </message>
    <message>
        <source>All media files -&gt; WebM</source>
        <translation>すべてのメディアファイル -&gt; WebM</translation>
    </message>
    <message>
        <source>All media files -&gt; HEVC</source>
        <translation>すべてのメディアファイル -&gt; HEVC</translation>
    </message>
    <message>
        <source>All media files -&gt; AV1</source>
        <translation>すべてのメディアファイル -&gt; AV1</translation>
    </message>
    <message>
        <source>All media files -&gt; Opus</source>
        <translation>すべてのメディアファイル -&gt; Opus</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Keep the source&apos;s file date</source>
        <translation>元ファイルの日付を保持</translation>
    </message>
    <message>
        <source>Give each converted file the date of its source file.</source>
        <translation>変換後の各ファイルに元ファイルの日付を付けます。</translation>
    </message>
    <message>
        <source>Quillmora converts video, audio and image files into the format you choose, several jobs at once.</source>
        <translation>Quillmora は動画・音声・画像ファイルを選んだ形式に変換します。複数のジョブを同時に実行できます。</translation>
    </message>
    <message>
        <source>All jobs: %1 left</source>
        <translation>全ジョブ：残り %1</translation>
    </message>
    <message>
        <source>Jobs at once</source>
        <translation>同時に実行するジョブ数</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Sound and pictures on every core, videos one at a time.</source>
        <translation>音声と画像はすべてのコアで、動画は一つずつ変換します。</translation>
    </message>
    <message>
        <source>All Image files -&gt; WebP</source>
        <translation>すべての画像ファイル -&gt; WebP</translation>
    </message>
    <message>
        <source>All Image files -&gt; AVIF</source>
        <translation>すべての画像ファイル -&gt; AVIF</translation>
    </message>
    <message>
        <source>Check quality</source>
        <translation>品質を確認</translation>
    </message>
    <message>
        <source>After each video job, compare the converted picture with its source (SSIM and PSNR); the job&apos;s tooltip shows the figures.</source>
        <translation>各動画ジョブの後、変換後の映像を元ファイルと比較します（SSIM と PSNR）。ジョブのツールチップに数値が表示されます。</translation>
    </message>
    <message>
        <source>Up to date</source>
        <translation>最新</translation>
    </message>
    <message>
        <source>Add the media files of a folder</source>
        <translation>フォルダー内のメディアファイルを追加</translation>
    </message>
    <message>
        <source>The kept lists of unfinished jobs could not be read. They were set aside as %1, and the window starts with an empty list.</source>
        <translation>保存された未完了ジョブの一覧を読み込めませんでした。%1 として退避しました。ウィンドウは空の一覧で起動します。</translation>
    </message>
    <message>
        <source>The kept lists of unfinished jobs in %1 were written by a newer version of Quillmora and are left as they are. This window starts with an empty list, and its jobs are not kept for the next start.</source>
        <translation>%1 の未完了ジョブの一覧は新しいバージョンの Quillmora で書かれたため、そのままにしています。このウィンドウは空の一覧で起動し、そのジョブは次回の起動のために保存されません。</translation>
    </message>
    <message>
        <source>A kept list of unfinished jobs could not be read. It was set aside as %1.</source>
        <translation>保存された未完了ジョブの一覧を読み込めませんでした。%1 として退避しました。</translation>
    </message>
    <message>
        <source>One more job stays kept for a later start: a file of it is not there now, or this version cannot read it.</source>
        <translation>ほかに 1 件のジョブを後の起動のために保存しています：そのファイルが今は見つからないか、このバージョンでは読み込めません。</translation>
    </message>
    <message>
        <source>%1 more jobs stay kept for a later start: files of them are not there now, or this version cannot read them.</source>
        <translation>ほかに %1 件のジョブを後の起動のために保存しています：それらのファイルが今は見つからないか、このバージョンでは読み込めません。</translation>
    </message>
    <message>
        <source>Add Folder...</source>
        <translation>フォルダーを追加...</translation>
    </message>
    <message>
        <source>Add every file of a folder and its subfolders with the current format.</source>
        <translation>フォルダーとそのサブフォルダー内のすべてのファイルを現在の形式で追加します。</translation>
    </message>
    <message>
        <source>Keep the folder structure</source>
        <translation>フォルダー構成を保つ</translation>
    </message>
    <message>
        <source>Put the outputs of a folder&apos;s files into the same subfolders of the output folder.</source>
        <translation>フォルダー内のファイルの出力を、出力フォルダーの同じサブフォルダーに置きます。</translation>
    </message>
    <message>
        <source>Skip files already converted</source>
        <translation>変換済みのファイルを飛ばす</translation>
    </message>
    <message>
        <source>Leave a job unconverted when its output is there and not older than its source.</source>
        <translation>出力がすでにあり、元のファイルより古くない場合はそのジョブを変換しません。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Apple devices (MOV, H.264 and AAC)</source>
        <translation>Apple デバイス（MOV、H.264、AAC）</translation>
    </message>
    <message>
        <source>Android devices (MP4, H.264 and AAC)</source>
        <translation>Android デバイス（MP4、H.264、AAC）</translation>
    </message>
    <message>
        <source>Converts video, audio and picture files. Without --convert the files are opened in the window as jobs.</source>
        <translation>動画・音声・画像ファイルを変換します。--convert を付けない場合、ファイルはジョブとしてウィンドウで開かれます。</translation>
    </message>
    <message>
        <source>Convert the files without a window, then exit: 0 when every job succeeded.</source>
        <translation>ウィンドウを開かずにファイルを変換して終了します。すべてのジョブが成功した場合は 0 を返します。</translation>
    </message>
    <message>
        <source>The output format, by the name of its button (see --list-formats).</source>
        <translation>出力形式。ボタンの名前で指定します（--list-formats を参照）。</translation>
    </message>
    <message>
        <source>name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>The folder the outputs go to (default: the current folder).</source>
        <translation>出力先のフォルダー（既定: 現在のフォルダー）。</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>Replace existing outputs instead of writing &quot;name_1&quot; beside them.</source>
        <translation>既存の出力ファイルを上書きします（隣に「name_1」として書き出しません）。</translation>
    </message>
    <message>
        <source>Print the format names and exit.</source>
        <translation>形式名を表示して終了します。</translation>
    </message>
    <message>
        <source>--%1 is an option of --convert.</source>
        <translation>--%1 は --convert のオプションです。</translation>
    </message>
    <message>
        <source>--convert needs --format; --list-formats prints the formats.</source>
        <translation>--convert には --format が必要です。--list-formats で形式の一覧を表示できます。</translation>
    </message>
    <message>
        <source>Unknown format &quot;%1&quot;; --list-formats prints the formats.</source>
        <translation>不明な形式「%1」です。--list-formats で形式の一覧を表示できます。</translation>
    </message>
    <message>
        <source>No files to convert.</source>
        <translation>変換するファイルがありません。</translation>
    </message>
    <message>
        <source>A join needs at least two files.</source>
        <translation>結合には少なくとも 2 つのファイルが必要です。</translation>
    </message>
    <message>
        <source>Try &apos;quillmora --help&apos; for more information.
</source>
        <translation>詳しくは &apos;quillmora --help&apos; を実行してください。
</translation>
    </message>
    <message>
        <source>Give each output the modification date of its source (a join: of its first file).</source>
        <translation>各出力ファイルに元ファイルの更新日時を付けます（結合では最初のファイルの日時）。</translation>
    </message>
    <message>
        <source>How many jobs run at once: a number, or &quot;auto&quot; (the default) for sound and pictures on every core and videos one at a time.</source>
        <translation>同時に実行するジョブ数：数値、または &quot;auto&quot;（既定）で音声と画像はすべてのコア、動画は一つずつ。</translation>
    </message>
    <message>
        <source>count</source>
        <translation>数</translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 up, or &quot;auto&quot;; not &quot;%1&quot;.</source>
        <translation>--jobs には 1 以上の数値か &quot;auto&quot; を指定してください。&quot;%1&quot; は使えません。</translation>
    </message>
    <message>
        <source>Make the sound of every output (a join as a whole) equally loud by EBU R128, its true peak at most -1 dBTP: -14 (streaming), -16 (podcasts and phones) or -23 (broadcast) LUFS, or &quot;off&quot; (the default).</source>
        <translation>EBU R128 に従い、すべての出力（結合は全体として）の音量をそろえます。トゥルーピークは -1 dBTP 以下：-14（ストリーミング）、-16（ポッドキャストとスマートフォン）、-23（放送）LUFS、または &quot;off&quot;（既定）。</translation>
    </message>
    <message>
        <source>LUFS</source>
        <translation>LUFS</translation>
    </message>
    <message>
        <source>--loudness takes -14, -16 or -23 (LUFS), or &quot;off&quot;; not &quot;%1&quot;.</source>
        <translation>--loudness には -14、-16、-23（LUFS）または &quot;off&quot; を指定します。&quot;%1&quot; は使えません。</translation>
    </message>
    <message>
        <source>--loudness is for formats with sound; %1 has none.</source>
        <translation>--loudness は音声のある形式に使います。%1 には音声がありません。</translation>
    </message>
    <message>
        <source>After each video job, compare the converted picture with its source and print its SSIM and PSNR (&quot;SSIM 0.987, PSNR 41.2 dB&quot;); an edited picture is not measured.</source>
        <translation>各動画ジョブの後、変換後の映像を元ファイルと比較し、SSIM と PSNR を出力します（&quot;SSIM 0.987, PSNR 41.2 dB&quot;）。編集した映像は測定しません。</translation>
    </message>
    <message>
        <source>--check-quality is for video formats; %1 is not one.</source>
        <translation>--check-quality は動画形式用です。%1 は動画形式ではありません。</translation>
    </message>
    <message>
        <source>Fit each video in this size, encoded in two passes: 25MB, 1.5GB, 700MiB (kB, MB and GB are powers of ten, KiB, MiB and GiB of two; a bare number is MB).</source>
        <translation>各動画を2パスでエンコードしてこのサイズに収めます：25MB、1.5GB、700MiB（kB、MB、GB は10の累乗、KiB、MiB、GiB は2の累乗。数字だけなら MB）。</translation>
    </message>
    <message>
        <source>size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Convert only what is new or changed: a job whose output is there and not older than its source is left as it is (&quot;up to date&quot;); an older output is replaced.</source>
        <translation>新しいものと変更されたものだけを変換します。出力がすでにあり元のファイルより古くないジョブはそのままにし（「最新」）、古い出力は置き換えます。</translation>
    </message>
    <message>
        <source>Put the outputs of the files found in folders into the output folder itself instead of the same subfolders.</source>
        <translation>フォルダー内で見つかったファイルの出力を、同じサブフォルダーではなく出力フォルダーそのものに置きます。</translation>
    </message>
    <message>
        <source>The media files, and folders: every file under a folder that the format takes.</source>
        <translation>メディアファイルとフォルダー：フォルダー以下でその形式が受け付けるすべてのファイル。</translation>
    </message>
    <message>
        <source>--size takes a size such as 25MB, 1.5GB or 700MiB; not &quot;%1&quot;.</source>
        <translation>--size には 25MB、1.5GB、700MiB のようなサイズを指定してください。「%1」は使えません。</translation>
    </message>
    <message>
        <source>--size is for video in H.264, H.265, VP9 or AV1, which encode in two passes; %1 is not.</source>
        <translation>--size は2パスでエンコードする H.264、H.265、VP9、AV1 の動画用です。%1 は対象外です。</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>%1 を起動できません: %2</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The conversion was stopped.</source>
        <translation>変換は停止されました。</translation>
    </message>
    <message>
        <source>Cannot start %1: %2</source>
        <translation>%1 を起動できません: %2</translation>
    </message>
    <message>
        <source>%1 crashed.</source>
        <translation>%1 が異常終了しました。</translation>
    </message>
    <message>
        <source>%1 failed with exit code %2.</source>
        <translation>%1 が終了コード %2 で失敗しました。</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>フォルダー %1 を作成できません。</translation>
    </message>
</context>
<context>
    <name>CopiedStreams</name>
    <message>
        <source>Video and audio copied without re-encoding</source>
        <translation>映像と音声を再エンコードせずにコピーしました</translation>
    </message>
    <message>
        <source>Video copied without re-encoding</source>
        <translation>映像を再エンコードせずにコピーしました</translation>
    </message>
    <message>
        <source>Audio copied without re-encoding</source>
        <translation>音声を再エンコードせずにコピーしました</translation>
    </message>
</context>
<context>
    <name>DemoPlayer</name>
    <message>
        <source>Effect</source>
        <translation>エフェクト</translation>
    </message>
    <message>
        <source>Split Option</source>
        <translation>トリミング設定</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>開始時間</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>終了時間</translation>
    </message>
    <message>
        <source>Rotate Option</source>
        <translation>回転設定</translation>
    </message>
    <message>
        <source>vflip</source>
        <translation>上下反転</translation>
    </message>
    <message>
        <source>hflip</source>
        <translation>左右反転</translation>
    </message>
    <message>
        <source>Video Effect</source>
        <translation>映像効果</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>音量:</translation>
    </message>
    <message>
        <source>Brightness:</source>
        <translation>明るさ:</translation>
    </message>
    <message>
        <source>Contrast:</source>
        <translation>コントラスト:</translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>彩度:</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation>透かし</translation>
    </message>
    <message>
        <source>Image Watermark</source>
        <translation>画像の透かし</translation>
    </message>
    <message>
        <source>Image :</source>
        <translation>画像:</translation>
    </message>
    <message>
        <source>X : </source>
        <translation>X: </translation>
    </message>
    <message>
        <source>Y : </source>
        <translation>Y: </translation>
    </message>
    <message>
        <source>Text Watermark</source>
        <translation>テキストの透かし</translation>
    </message>
    <message>
        <source>Text : </source>
        <translation>テキスト: </translation>
    </message>
    <message>
        <source>Font : </source>
        <translation>フォント: </translation>
    </message>
    <message>
        <source>Font Size : </source>
        <translation>フォントサイズ: </translation>
    </message>
    <message>
        <source>Font Color : </source>
        <translation>フォントの色: </translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation>字幕</translation>
    </message>
    <message>
        <source>Select Subtitle</source>
        <translation>字幕を選択</translation>
    </message>
    <message>
        <source>Subtitle : </source>
        <translation>字幕: </translation>
    </message>
    <message>
        <source>Search : </source>
        <translation>検索: </translation>
    </message>
    <message>
        <source>Search Subtitle</source>
        <translation>字幕を検索</translation>
    </message>
    <message>
        <source>Font Option</source>
        <translation>フォント設定</translation>
    </message>
    <message>
        <source>Code Page :</source>
        <translation>コードページ:</translation>
    </message>
    <message>
        <source>Font :</source>
        <translation>フォント:</translation>
    </message>
    <message>
        <source>Font Size :</source>
        <translation>フォントサイズ:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>This file cannot be previewed:
%1</source>
        <translation>このファイルはプレビューできません:
%1</translation>
    </message>
    <message>
        <source>White</source>
        <translation>ホワイト</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>ブラック</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>レッド</translation>
    </message>
    <message>
        <source>DarkRed</source>
        <translation>ダークレッド</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>グリーン</translation>
    </message>
    <message>
        <source>DarkGreen</source>
        <translation>ダークグリーン</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>ブルー</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>シアン</translation>
    </message>
    <message>
        <source>Darkcyan</source>
        <translation>ダークシアン</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>マゼンタ</translation>
    </message>
    <message>
        <source>Darkmagenta</source>
        <translation>ダークマゼンタ</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>イエロー</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>グレー</translation>
    </message>
    <message>
        <source>Darkgray</source>
        <translation>ダークグレー</translation>
    </message>
    <message>
        <source>All Subtitle Files (</source>
        <translation>すべての字幕ファイル (</translation>
    </message>
    <message>
        <source>Open the subtitle file</source>
        <translation>字幕ファイルを開く</translation>
    </message>
    <message>
        <source>All Image Files (</source>
        <translation>すべての画像ファイル (</translation>
    </message>
    <message>
        <source>Open the image file</source>
        <translation>画像ファイルを開く</translation>
    </message>
    <message>
        <source>Edits</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Previous file</source>
        <translation>前のファイル</translation>
    </message>
    <message>
        <source>Next file</source>
        <translation>次のファイル</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
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
        <translation>サイズに収められるのは H.264、H.265、VP9、AV1 の動画だけです（2パスでエンコードします）。</translation>
    </message>
    <message>
        <source>%1 is too small for %2 of video; %3 is the least that works</source>
        <translation>%1 では %2 の動画には小さすぎます。最低 %3 が必要です</translation>
    </message>
</context>
<context>
    <name>GifMerge</name>
    <message>
        <source>GIF Maker</source>
        <translation>GIF 作成</translation>
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
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Current intercept 5 seconds</source>
        <translation>現在の切り出し 5 秒</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Small Image</source>
        <translation>小サイズ</translation>
    </message>
    <message>
        <source>Middle Image</source>
        <translation>中サイズ</translation>
    </message>
    <message>
        <source>Large Image</source>
        <translation>大サイズ</translation>
    </message>
    <message>
        <source>All Media Files (</source>
        <translation>すべてのメディアファイル (</translation>
    </message>
    <message>
        <source>Open the media files</source>
        <translation>メディアファイルを開く</translation>
    </message>
    <message>
        <source>This file cannot be played:
%1</source>
        <translation>このファイルは再生できません:
%1</translation>
    </message>
    <message>
        <source>Current intercept </source>
        <translation>現在の切り出し </translation>
    </message>
    <message>
        <source> seconds</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>Start earlier</source>
        <translation>開始を早める</translation>
    </message>
    <message>
        <source>Start later</source>
        <translation>開始を遅らせる</translation>
    </message>
    <message>
        <source>Shorter</source>
        <translation>短くする</translation>
    </message>
    <message>
        <source>Longer</source>
        <translation>長くする</translation>
    </message>
    <message>
        <source>Length of the GIF</source>
        <translation>GIF の長さ</translation>
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
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
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
        <translation>ラウドネス正規化</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>-14 LUFS (streaming)</source>
        <translation>-14 LUFS（ストリーミング）</translation>
    </message>
    <message>
        <source>-16 LUFS (podcasts and phones)</source>
        <translation>-16 LUFS（ポッドキャストとスマートフォン）</translation>
    </message>
    <message>
        <source>-23 LUFS (EBU R128 broadcast)</source>
        <translation>-23 LUFS（EBU R128 放送）</translation>
    </message>
    <message>
        <source>Fit in</source>
        <translation>サイズ指定</translation>
    </message>
    <message>
        <source>The most the file may take: the picture&apos;s bitrate follows from it. AV1 has no two passes here: it is encoded once, and once more at a corrected bitrate when the file lands outside the size. Pick a size or type your own, such as 30 MB or 1.5 GB.</source>
        <translation>ファイルの最大サイズ：映像のビットレートはここから求めます。ここでは AV1 に2パスがないため、1回エンコードし、ファイルがサイズから外れたときは補正したビットレートでもう1回エンコードします。サイズを選ぶか、30 MB や 1.5 GB のように入力してください。</translation>
    </message>
    <message>
        <source>The most the file may take: the picture&apos;s bitrate follows from it, encoded in two passes. Pick a size or type your own, such as 30 MB or 1.5 GB.</source>
        <translation>ファイルの最大サイズ：映像のビットレートはここから求め、2パスでエンコードします。サイズを選ぶか、30 MB や 1.5 GB のように入力してください。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a size: write one such as 30 MB, 1.5 GB or 700 MiB.</source>
        <translation>「%1」はサイズではありません。30 MB、1.5 GB、700 MiB のように入力してください。</translation>
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
<context>
    <name>QualityReport</name>
    <message>
        <source>SSIM %1, PSNR infinite: every frame is the source&apos;s</source>
        <translation>SSIM %1、PSNR 無限大：すべてのフレームが元ファイルと同じです</translation>
    </message>
    <message>
        <source>SSIM %1, PSNR %2 dB</source>
        <translation>SSIM %1、PSNR %2 dB</translation>
    </message>
    <message>
        <source>quality not measured: a join has no one source to compare with</source>
        <translation>品質は測定されていません：結合したファイルには比較する単一の元ファイルがありません</translation>
    </message>
    <message>
        <source>quality not measured: the picture was edited</source>
        <translation>品質は測定されていません：映像が編集されています</translation>
    </message>
    <message>
        <source>quality not measured: %1</source>
        <translation>品質は測定されていません：%1</translation>
    </message>
</context>
<context>
    <name>ResultShow</name>
    <message>
        <source>Information</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>3 tasks have been completed</source>
        <translation>3 件のタスクが完了しました</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>  task has been completed</source>
        <translation>  件のタスクが完了しました</translation>
    </message>
    <message>
        <source>  tasks have been completed</source>
        <translation>  件のタスクが完了しました</translation>
    </message>
    <message>
        <source>  task has been failed</source>
        <translation>  件のタスクが失敗しました</translation>
    </message>
    <message>
        <source>  tasks have been failed</source>
        <translation>  件のタスクが失敗しました</translation>
    </message>
</context>
<context>
    <name>RunControl</name>
    <message>
        <source>Output file already exists! Do you want to overwrite?
%1</source>
        <translation>出力ファイルは既に存在します！上書きしますか？
%1</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>変換が完了しました</translation>
    </message>
    <message>
        <source>Succeeded: %1, failed: %2</source>
        <translation>成功: %1、失敗: %2</translation>
    </message>
</context>
<context>
    <name>VlcWidgetSeek</name>
    <message>
        <source>Position</source>
        <translation>再生位置</translation>
    </message>
</context>
</TS>
