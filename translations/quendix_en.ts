<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ExaminerQuestion</name>
    <message>
        <source>担当者</source>
        <translation>Examiner</translation>
    </message>
    <message>
        <source>担当者名：</source>
        <translation>Examiner&apos;s name:</translation>
    </message>
</context>
<context>
    <name>ImportCommands</name>
    <message>
        <source>デジタルペンシステムが出力した情報を取り込みます。CSVファイルを選択してください。取り込み件数によっては、時間がかかる場合がございます。よろしいですか？</source>
        <translation>The records written by the digital-pen system are imported. Choose the CSV file. Depending on the number of records this may take a while. Continue?</translation>
    </message>
    <message>
        <source>CSVファイルを選択</source>
        <translation>Choose a CSV file</translation>
    </message>
    <message>
        <source>デジタルペン出力CSVファイルを取り込んでいます...</source>
        <translation>Importing the digital-pen CSV file...</translation>
    </message>
    <message>
        <source>現在のプロジェクトファイルに追加する、歯科診査情報（OES）ファイルのディレクトリを選択してください。</source>
        <translation>Choose the folder of the dental examination (OES) files to add to the current project.</translation>
    </message>
    <message>
        <source>歯科診査情報を取り込みます。ディレクトリを選択してください。取り込み件数によっては、時間がかかる場合がございます。よろしいですか？</source>
        <translation>The dental examination records are imported. Choose the folder. Depending on the number of records this may take a while. Continue?</translation>
    </message>
    <message>
        <source>OESファイルを取り込んでいます...</source>
        <translation>Importing the OES files...</translation>
    </message>
    <message>
        <source>プロジェクトファイルを指定</source>
        <translation>Choose a project file</translation>
    </message>
    <message>
        <source>プロジェクトファイルを取り込んでいます...</source>
        <translation>Importing the project file...</translation>
    </message>
    <message>
        <source>死後データ、生前データ、照合データの順番でCSVファイルを指定してください。</source>
        <translation>Name the CSV files in this order: post-mortem records, ante-mortem records, match records.</translation>
    </message>
    <message>
        <source>名前を付けて死後データを保存</source>
        <translation>Save the post-mortem records as</translation>
    </message>
    <message>
        <source>名前を付けて生前データを保存</source>
        <translation>Save the ante-mortem records as</translation>
    </message>
    <message>
        <source>名前を付けて照合データを保存</source>
        <translation>Save the match records as</translation>
    </message>
    <message>
        <source>エクスポートしています...</source>
        <translation>Exporting...</translation>
    </message>
</context>
<context>
    <name>ProjectShell</name>
    <message>
        <source>変更を保存しますか？
保存する場合は「はい」、破棄する場合は「いいえ」を選択してください。</source>
        <translation>Save the changes?
Choose &quot;Yes&quot; to save them, &quot;No&quot; to discard them.</translation>
    </message>
    <message>
        <source>データベースへの書き込みに失敗したため、保存していない変更は取り消されました。プロジェクトを最後に保存した状態で開き直します。</source>
        <translation>Writing to the database failed, so the unsaved changes were undone. The project is reopened as it was last saved.</translation>
    </message>
    <message>
        <source>プロジェクトフォルダを作成できませんでした。</source>
        <translation>The project folder could not be created.</translation>
    </message>
    <message>
        <source>プロジェクトファイルを指定</source>
        <translation>Choose a project file</translation>
    </message>
    <message>
        <source>プログラムを終了します。</source>
        <translation>The program is ending.</translation>
    </message>
    <message>
        <source>データが変更されています。</source>
        <translation>The data have changed.</translation>
    </message>
</context>
<context>
    <name>RecordCommands</name>
    <message>
        <source>照合履歴</source>
        <translation>Match history</translation>
    </message>
    <message>
        <source>比較表示</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>取り込みファイルが存在しません。</source>
        <translation>The file to import does not exist.</translation>
    </message>
    <message>
        <source>マークシート取り込み</source>
        <translation>Mark-sheet import</translation>
    </message>
    <message>
        <source>レセコン取り込み</source>
        <translation>Receipt-computer import</translation>
    </message>
</context>
<context>
    <name>qdx::CBridgeSearchDlg</name>
    <message>
        <source>ブリッジ指定検索 - Quendix Free</source>
        <translation>Bridge Search - Quendix Free</translation>
    </message>
    <message>
        <source>検索条件</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>表示件数</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>b:ブリッジあり／*：判明済み／i：他人／u：鑑定中</source>
        <translation>b: bridge / *: identified / i: imposter / u: under investigation</translation>
    </message>
</context>
<context>
    <name>qdx::CChangeLogDlg</name>
    <message>
        <source>変更履歴</source>
        <translation>Change history</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All</translation>
    </message>
    <message>
        <source>未確認のみ</source>
        <translation>Unchecked only</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>ファイルに保存</source>
        <translation>Save to file</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>区分：</source>
        <translation>Side:</translation>
    </message>
    <message>
        <source>ID：</source>
        <translation>ID:</translation>
    </message>
    <message>
        <source>担当者：</source>
        <translation>Examiner:</translation>
    </message>
    <message>
        <source>種類：</source>
        <translation>Kind:</translation>
    </message>
    <message>
        <source>%1件</source>
        <translation>%1 rows</translation>
    </message>
</context>
<context>
    <name>qdx::CCusporaDlg</name>
    <message>
        <source>一覧を読み込んでいます...</source>
        <translation>Loading the lists...</translation>
    </message>
    <message>
        <source>%1はこの版では利用できません。</source>
        <translation>%1 is not available in this version.</translation>
    </message>
    <message>
        <source>全検索</source>
        <translation>Full search</translation>
    </message>
    <message>
        <source>個別検索</source>
        <translation>Individual</translation>
    </message>
    <message>
        <source>ブリッジ検索</source>
        <translation>Bridge search</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>総検索</source>
        <translation>Total search</translation>
    </message>
    <message>
        <source>データマッチング</source>
        <translation>Data matching</translation>
    </message>
    <message>
        <source>マークシート</source>
        <translation>Mark sheet</translation>
    </message>
    <message>
        <source>レセコン</source>
        <translation>Receipt computer</translation>
    </message>
</context>
<context>
    <name>qdx::CCusporaEntryDlg</name>
    <message>
        <source>ID ：</source>
        <translation>ID:</translation>
    </message>
    <message>
        <source>－</source>
        <translation>-</translation>
    </message>
    <message>
        <source>性別 ：</source>
        <translation>Sex:</translation>
    </message>
    <message>
        <source>年令 ：</source>
        <translation>Age:</translation>
    </message>
    <message>
        <source>摘要 ：</source>
        <translation>Remarks:</translation>
    </message>
    <message>
        <source>氏名 ：</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>場所 ：</source>
        <translation>Place:</translation>
    </message>
    <message>
        <source>照合状態 ：</source>
        <translation>Match state:</translation>
    </message>
    <message>
        <source>判明ID ：</source>
        <translation>Partner ID:</translation>
    </message>
    <message>
        <source>照合履歴</source>
        <translation>History</translation>
    </message>
    <message>
        <source>分類基準</source>
        <translation>Classes</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>確認状態 ：</source>
        <translation>Check:</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>変更履歴</source>
        <translation>Change history</translation>
    </message>
</context>
<context>
    <name>qdx::CFullSearchDlg</name>
    <message>
        <source>全検索 - Quendix Free</source>
        <translation>Full Search - Quendix Free</translation>
    </message>
    <message>
        <source>検索条件</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>表示件数</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>検索対象外を非表示</source>
        <translation>Hide excluded</translation>
    </message>
    <message>
        <source>*：判明済み／i：他人／u：鑑定中</source>
        <translation>*: identified / i: imposter / u: under investigation</translation>
    </message>
    <message>
        <source>ファイルに保存</source>
        <translation>Save to file</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>qdx::CIndividualSearchDlg</name>
    <message>
        <source>報告書</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>個別検索 - Quendix Free</source>
        <translation>Individual Search - Quendix Free</translation>
    </message>
    <message>
        <source>検索元選択</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>検索条件</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>表示件数</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>1:健全歯 2:金属による部分修復 3:全部修復 4:C4,欠損 5:情報なし 6:歯あり d:乳歯 #:一致</source>
        <translation>1:sound 2:partial 3:full 4:C4,missing 5:no info 6:present d:deciduous #:agrees</translation>
    </message>
    <message>
        <source>TOP %1 を表示</source>
        <translation>Top %1</translation>
    </message>
</context>
<context>
    <name>qdx::CMarchStatusDlg</name>
    <message>
        <source>照合履歴設定 - Quendix Free</source>
        <translation>Match History - Quendix Free</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>判明済み</source>
        <translation>Identified</translation>
    </message>
    <message>
        <source>照合履歴</source>
        <translation>Match history</translation>
    </message>
    <message>
        <source>照合種別：</source>
        <translation>Kind:</translation>
    </message>
    <message>
        <source>デンタルチャート</source>
        <translation>Dental chart</translation>
    </message>
    <message>
        <source>他の情報</source>
        <translation>Other information</translation>
    </message>
    <message>
        <source>対象ID ：</source>
        <translation>Partner ID:</translation>
    </message>
    <message>
        <source>－</source>
        <translation>-</translation>
    </message>
    <message>
        <source>登録</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>照合履歴一覧</source>
        <translation>History list</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>qdx::CMatchDiffDlg</name>
    <message>
        <source>報告書</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>判明データ比較 - Quendix Free</source>
        <translation>Identified Pair - Quendix Free</translation>
    </message>
    <message>
        <source>b:ブリッジあり</source>
        <translation>b: bridge</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>qdx::CMsgBoxDlg</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>qdx::CQrCodeDlg</name>
    <message>
        <source>QRコード - Quendix Free</source>
        <translation>QR Code - Quendix Free</translation>
    </message>
    <message>
        <source>ファイルに保存</source>
        <translation>Save to file</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ビットマップ (*.bmp)</source>
        <translation>Bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。
</source>
        <translation>The file could not be saved.
</translation>
    </message>
</context>
<context>
    <name>qdx::CRulerDlg</name>
    <message>
        <source>分類１：</source>
        <translation>Class 1:</translation>
    </message>
    <message>
        <source>分類２：</source>
        <translation>Class 2:</translation>
    </message>
    <message>
        <source>分類３：</source>
        <translation>Class 3:</translation>
    </message>
    <message>
        <source>分類４：</source>
        <translation>Class 4:</translation>
    </message>
    <message>
        <source>分類５：</source>
        <translation>Class 5:</translation>
    </message>
    <message>
        <source>分類基準 - Quendix Free</source>
        <translation>Classes - Quendix Free</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>qdx::CReportDlg</name>
    <message>
        <source>報告書 - %1 / %2</source>
        <translation>Report - %1 / %2</translation>
    </message>
    <message>
        <source>死後：</source>
        <translation>Post-mortem:</translation>
    </message>
    <message>
        <source>生前：</source>
        <translation>Ante-mortem:</translation>
    </message>
    <message>
        <source>結論：</source>
        <translation>Conclusion:</translation>
    </message>
    <message>
        <source>担当者：</source>
        <translation>Examiner:</translation>
    </message>
    <message>
        <source>確認者：</source>
        <translation>Checked by:</translation>
    </message>
    <message>
        <source>所見・備考：</source>
        <translation>Remarks:</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>PDF保存</source>
        <translation>Save PDF</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>PDF (*.pdf);;すべてのファイル (*.*)</source>
        <translation>PDF (*.pdf);;All files (*.*)</translation>
    </message>
    <message>
        <source>ファイルに書き込めませんでした。
%1</source>
        <translation>The file could not be written.
%1</translation>
    </message>
</context>
<context>
    <name>qdx::CSetupDlg</name>
    <message>
        <source>環境設定 - Quendix Free</source>
        <translation>Settings - Quendix Free</translation>
    </message>
    <message>
        <source>プロジェクト名：</source>
        <translation>Project name:</translation>
    </message>
    <message>
        <source>照合優先度の係数：</source>
        <translation>Match-priority factor:</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>5分類検索用</source>
        <translation>Five-class search</translation>
    </message>
    <message>
        <source>階層6分類検索用</source>
        <translation>Six-class search</translation>
    </message>
    <message>
        <source>データを保存しません。よろしいですか？</source>
        <translation>The data will not be saved. Continue?</translation>
    </message>
</context>
<context>
    <name>qdx::CTextInputDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>qdx::CandidateSearchDlg</name>
    <message>
        <source>検索対象外を非表示</source>
        <translation>Hide excluded</translation>
    </message>
    <message>
        <source>ファイルに保存</source>
        <translation>Save to file</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>照合履歴</source>
        <translation>History</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>qdx::ChartGallery</name>
    <message>
        <source>健全歯、齲蝕歯</source>
        <translation>Sound or carious</translation>
    </message>
    <message>
        <source>金属による部分修復</source>
        <translation>Partial metal restoration</translation>
    </message>
    <message>
        <source>全部修復</source>
        <translation>Full restoration</translation>
    </message>
    <message>
        <source>C4、欠損</source>
        <translation>C4, missing</translation>
    </message>
    <message>
        <source>情報なし</source>
        <translation>No information</translation>
    </message>
    <message>
        <source>歯あり</source>
        <translation>Present</translation>
    </message>
    <message>
        <source>不一致</source>
        <translation>Mismatch</translation>
    </message>
    <message>
        <source>1 健全歯、齲蝕歯 (sound)</source>
        <translation>1 sound or carious (sound)</translation>
    </message>
    <message>
        <source>2 金属による部分修復 (filling)</source>
        <translation>2 partial metal restoration (filling)</translation>
    </message>
    <message>
        <source>3 全部修復 (crown)</source>
        <translation>3 full restoration (crown)</translation>
    </message>
    <message>
        <source>4 C4、欠損 (missing)</source>
        <translation>4 C4, missing (missing)</translation>
    </message>
    <message>
        <source>5 情報なし (noinfo)</source>
        <translation>5 no information (noinfo)</translation>
    </message>
    <message>
        <source>6 歯あり (exist)</source>
        <translation>6 present (exist)</translation>
    </message>
    <message>
        <source>選択 (select)</source>
        <translation>selected (select)</translation>
    </message>
    <message>
        <source>不一致 (mismatch)</source>
        <translation>mismatch (mismatch)</translation>
    </message>
    <message>
        <source>記録入力の例: ブリッジ 左上4-6</source>
        <translation>Entry example: bridge upper left 4-6</translation>
    </message>
    <message>
        <source>乳歯 A-E, ブリッジ印すべて</source>
        <translation>Deciduous A-E, every bridge mark</translation>
    </message>
    <message>
        <source>個別検索: 候補との比較</source>
        <translation>Individual search: compared with a candidate</translation>
    </message>
    <message>
        <source>ブリッジ指定検索</source>
        <translation>Bridge search</translation>
    </message>
</context>
<context>
    <name>qdx::ChartPainter</name>
    <message>
        <source>１２３４５６７８</source>
        <translation>12345678</translation>
    </message>
    <message>
        <source>ＡＢＣＤＥ</source>
        <translation>ABCDE</translation>
    </message>
    <message>
        <source>ブリッジあり<byte value="xd"/>
ブリッジなし</source>
        <translation>Bridge<byte value="xd"/>
No bridge</translation>
    </message>
</context>
<context>
    <name>qdx::EntryLegend</name>
    <message>
        <source>ブリッジ</source>
        <translation>Bridge</translation>
    </message>
    <message>
        <source>歯式</source>
        <translation>Teeth</translation>
    </message>
</context>
<context>
    <name>qdx::LegendSwatch</name>
    <message>
        <source>健全歯、齲蝕歯</source>
        <translation>Sound or carious</translation>
    </message>
    <message>
        <source>金属による部分修復</source>
        <translation>Partial metal restoration</translation>
    </message>
    <message>
        <source>全部修復</source>
        <translation>Full restoration</translation>
    </message>
    <message>
        <source>C4、欠損</source>
        <translation>C4, missing</translation>
    </message>
    <message>
        <source>情報なし</source>
        <translation>No information</translation>
    </message>
    <message>
        <source>歯あり</source>
        <translation>Present</translation>
    </message>
    <message>
        <source>健全歯、齲蝕歯で一致</source>
        <translation>Agree: sound or carious</translation>
    </message>
    <message>
        <source>金属による部分修復で一致</source>
        <translation>Agree: partial metal restoration</translation>
    </message>
    <message>
        <source>全部修復で一致</source>
        <translation>Agree: full restoration</translation>
    </message>
    <message>
        <source>Ｃ４、欠損で一致</source>
        <translation>Agree: C4, missing</translation>
    </message>
    <message>
        <source>不一致または情報なしで一致</source>
        <translation>Mismatch or no information</translation>
    </message>
    <message>
        <source>歯ありで一致</source>
        <translation>Agree: present</translation>
    </message>
    <message>
        <source>
<byte value="xd"/>欠損</source>
        <translation>
<byte value="xd"/>Missing</translation>
    </message>
    <message>
        <source>
<byte value="xd"/>検索指定なし</source>
        <translation>
<byte value="xd"/>Not specified</translation>
    </message>
</context>
<context>
    <name>qdx::LongTask</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>qdx::ProjectCommands</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>プロジェクトの保存</source>
        <translation>Save project</translation>
    </message>
    <message>
        <source>プロジェクトの切り替え...</source>
        <translation>Switch project...</translation>
    </message>
    <message>
        <source>インポート</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>プロジェクトファイル...</source>
        <translation>Project file...</translation>
    </message>
    <message>
        <source>死後</source>
        <translation>Post-mortem</translation>
    </message>
    <message>
        <source>デジタルペン出力CSVファイル...</source>
        <translation>Digital-pen CSV file...</translation>
    </message>
    <message>
        <source>口腔診査情報OESファイル...</source>
        <translation>Oral examination OES files...</translation>
    </message>
    <message>
        <source>生前</source>
        <translation>Ante-mortem</translation>
    </message>
    <message>
        <source>エクスポート...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>環境設定...</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Quendix Freeのバージョン情報(&amp;A)</source>
        <translation>&amp;About Quendix Free</translation>
    </message>
    <message>
        <source>Quendix Free
バージョン %1</source>
        <translation>Quendix Free
Version %1</translation>
    </message>
    <message>
        <source>プログラムを終了しますか？</source>
        <translation>Exit the program?</translation>
    </message>
    <message>
        <source>担当者...</source>
        <translation>Examiner...</translation>
    </message>
    <message>
        <source>変更履歴...</source>
        <translation>Change history...</translation>
    </message>
</context>
<context>
    <name>qdx::Prompts</name>
    <message>
        <source>CSV(カンマ区切り) (*.csv);;すべてのファイル (*.*)</source>
        <translation>CSV (comma separated) (*.csv);;All files (*.*)</translation>
    </message>
    <message>
        <source>Quendix Project (*.qdx);;すべてのファイル (*.*)</source>
        <translation>Quendix Project (*.qdx);;All files (*.*)</translation>
    </message>
</context>
<context>
    <name>qdx::RecordListPane</name>
    <message>
        <source>全件数  %1件</source>
        <translation>Total  %1</translation>
    </message>
    <message>
        <source>死後デンタルチャート（事後：対象の直接観察）</source>
        <translation>Post-mortem dental charts (direct observation)</translation>
    </message>
    <message>
        <source>生前デンタルチャート（事前：歯科医提供）</source>
        <translation>Ante-mortem dental charts (from dentists)</translation>
    </message>
    <message>
        <source>b:ブリッジあり</source>
        <translation>b: bridge</translation>
    </message>
    <message>
        <source>新規登録</source>
        <translation>New</translation>
    </message>
    <message>
        <source>修正</source>
        <translation>Modify</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>照合履歴</source>
        <translation>History</translation>
    </message>
    <message>
        <source>比較表示</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>QRコード生成</source>
        <translation>QR code</translation>
    </message>
    <message>
        <source>記録入力画面はまだ組み込まれていません。</source>
        <translation>The record entry window is not plugged in yet.</translation>
    </message>
</context>
<context>
    <name>qdx::SearchConditionControls</name>
    <message>
        <source>検索条件</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>表示件数</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>検索対象外を非表示</source>
        <translation>Hide excluded</translation>
    </message>
</context>
<context>
    <name>qdx::SearchTask</name>
    <message>
        <source>検索しています…</source>
        <translation>Searching…</translation>
    </message>
</context>
</TS>
