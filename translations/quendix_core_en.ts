<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en" sourcelanguage="ja">
  <context>
    <name>Core</name>
    <message>
      <source>1:健全歯 2:金属による部分修復 3:全部修復 4:C4,欠損 5:情報なし 6:歯あり</source>
      <translation>1:sound 2:partial metal restoration 3:full restoration 4:C4,missing 5:no information 6:present</translation>
    </message>
    <message>
      <source> d:乳歯 #:一致</source>
      <translation> d:deciduous #:agrees</translation>
    </message>
    <message>
      <source>乳歯　　 A-E
永久歯　1-8</source>
      <translation>Deciduous  A-E
Permanent  1-8</translation>
    </message>
    <message>
      <source>死後</source>
      <translation>Post-mortem</translation>
    </message>
    <message>
      <source>生前</source>
      <translation>Ante-mortem</translation>
    </message>
    <message>
      <source>両方</source>
      <translation>Both</translation>
    </message>
    <message>
      <source>[死後]</source>
      <translation>[Post-mortem] </translation>
    </message>
    <message>
      <source>[生前]</source>
      <translation>[Ante-mortem] </translation>
    </message>
    <message>
      <source>健全歯、齲蝕歯<byte value="xd" />
（Ｃ１・Ｃ２・Ｃ３で治療の痕跡のないもの）<byte value="xd" />
ＣＲ充填など</source>
      <translation>Sound or carious<byte value="xd" />
(C1, C2, C3 without a trace of treatment)<byte value="xd" />
composite fillings etc.</translation>
    </message>
    <message>
      <source>金属による部分修復<byte value="xd" />
（インレー・部分冠・アマルガム充填等<byte value="xd" />
歯冠部の一部分のみ金属で修復しているもの）</source>
      <translation>Partial metal restoration<byte value="xd" />
(inlay, partial crown, amalgam filling etc.:<byte value="xd" />
only part of the crown restored in metal)</translation>
    </message>
    <message>
      <source>全部修復<byte value="xd" />
（全部冠・ジャケット冠・ポスト冠等、<byte value="xd" />
歯冠部全体を修復しているもの）</source>
      <translation>Full restoration<byte value="xd" />
(full crown, jacket crown, post crown etc.:<byte value="xd" />
the whole crown restored)</translation>
    </message>
    <message>
      <source>Ｃ４（コーピングも含む）、<byte value="xd" />
欠損（ポンティック・義歯・<byte value="xd" />
インプラント等で補綴されている場合を含む）</source>
      <translation>C4 (coping included),<byte value="xd" />
missing (also when replaced by a pontic,<byte value="xd" />
denture, implant etc.)</translation>
    </message>
    <message>
      <source>情報なし<byte value="xd" />
（カルテ未記載や遺体の部分的な欠如）</source>
      <translation>No information<byte value="xd" />
(not charted, or that part of the body is lost)</translation>
    </message>
    <message>
      <source>歯あり<byte value="xd" />
（歯の状態は不明・死後脱落等で所見の不明なもの）</source>
      <translation>Present<byte value="xd" />
(state unknown, lost after death etc.)</translation>
    </message>
    <message>
      <source>*：判明済み／i：他人／u：鑑定中</source>
      <translation>*: identified / i: imposter / u: under investigation</translation>
    </message>
    <message>
      <source>*：判明済み／u：鑑定中</source>
      <translation>*: identified / u: under investigation</translation>
    </message>
    <message>
      <source>b:ブリッジあり／*：判明済み／i：他人／u：鑑定中</source>
      <translation>b: bridge / *: identified / i: imposter / u: under investigation</translation>
    </message>
    <message>
      <source>検索数</source>
      <translation>Compared</translation>
    </message>
    <message>
      <source>完全一致数</source>
      <translation>Exact</translation>
    </message>
    <message>
      <source>全修復・欠損一致数</source>
      <translation>Full/missing</translation>
    </message>
    <message>
      <source>矛盾なし一致数</source>
      <translation>Consistent</translation>
    </message>
    <message>
      <source>スコア</source>
      <translation>Score</translation>
    </message>
    <message>
      <source>生前→死後</source>
      <translation>AM → PM</translation>
    </message>
    <message>
      <source>死後→生前</source>
      <translation>PM → AM</translation>
    </message>
    <message>
      <source>TOP %1 を表示</source>
      <translation>Top %1</translation>
    </message>
    <message>
      <source>修正対象が選択されていません。
再度、行を選択し修正ボタンを押下してください。</source>
      <translation>No record to modify is selected.
Select a row and press Modify again.</translation>
    </message>
    <message>
      <source>削除対象が選択されていません。
再度、行を選択し削除ボタンを押下してください。</source>
      <translation>Nothing to delete is selected.
Select a row and press Delete again.</translation>
    </message>
    <message>
      <source>照合履歴設定対象が選択されていません。再度、行を選択し照合履歴ボタンを押下してください。</source>
      <translation>No record is selected for its match history. Select a row and press Match history again.</translation>
    </message>
    <message>
      <source>判明データ比較表示対象が選択されていません。再度、行を選択し比較表示ボタンを押下してください。</source>
      <translation>No identified record is selected to compare. Select a row and press Compare again.</translation>
    </message>
    <message>
      <source>判明済みのデータは削除できません。</source>
      <translation>An identified record cannot be deleted.</translation>
    </message>
    <message>
      <source>判明済みデータを選択してください。</source>
      <translation>Select an identified record.</translation>
    </message>
    <message>
      <source>削除しました。</source>
      <translation>Deleted.</translation>
    </message>
    <message>
      <source>本当に削除しますがよろしいですか？</source>
      <translation>Delete it?</translation>
    </message>
    <message>
      <source>鑑定中データ、他人データがあります。</source>
      <translation>There are records under investigation and imposter records. </translation>
    </message>
    <message>
      <source>鑑定中データがあります。</source>
      <translation>There are records under investigation. </translation>
    </message>
    <message>
      <source>他人データがあります。</source>
      <translation>There are imposter records. </translation>
    </message>
    <message>
      <source>ID上位部が指定されていません。</source>
      <translation>The upper part of the ID is missing.</translation>
    </message>
    <message>
      <source>ID上位部に"-"(ハイフン)は指定できません。</source>
      <translation>The upper part of the ID cannot contain "-" (hyphen).</translation>
    </message>
    <message>
      <source>ID下位部が指定されていません。</source>
      <translation>The lower part of the ID is missing.</translation>
    </message>
    <message>
      <source>ID下位部に数字以外が指定されています。</source>
      <translation>The lower part of the ID contains a character that is not a digit.</translation>
    </message>
    <message>
      <source>ID下位部は0～99999で指定してください。</source>
      <translation>The lower part of the ID must be 0 to 99999.</translation>
    </message>
    <message>
      <source>IDはすでに登録されています。</source>
      <translation>The ID is already registered.</translation>
    </message>
    <message>
      <source>データベースファイルをオープンできませんでした。 </source>
      <translation>The database file could not be opened. </translation>
    </message>
    <message>
      <source>データベースが作成できませんでした。 </source>
      <translation>The database could not be created. </translation>
    </message>
    <message>
      <source>データベースを開始できませんでした。  </source>
      <translation>The database could not be started.  </translation>
    </message>
    <message>
      <source>更新データの登録に失敗しました。データベースは元のまま保存されます。</source>
      <translation>Storing the changes failed. The database is kept as it was.</translation>
    </message>
    <message>
      <source>データを元の状態に戻せませんでした。</source>
      <translation>The data could not be restored.</translation>
    </message>
    <message>
      <source>データの読み込みに失敗しました。</source>
      <translation>Reading the data failed.</translation>
    </message>
    <message>
      <source>該当データがありませんでした。</source>
      <translation>Nothing was found.</translation>
    </message>
    <message>
      <source>新規データの登録に失敗しました。</source>
      <translation>Storing the new record failed.</translation>
    </message>
    <message>
      <source>修正データの更新に失敗しました。</source>
      <translation>Updating the record failed.</translation>
    </message>
    <message>
      <source>データベースは使用中です。</source>
      <translation>The database is in use.</translation>
    </message>
    <message>
      <source>プロジェクトファイルに書き込めません。ファイルとそのフォルダが書き込み禁止になっていないか確認してください。</source>
      <translation>The project file cannot be written. Check that neither the file nor its folder is write-protected.</translation>
    </message>
    <message>
      <source>プロジェクトファイルが開いている間に削除されたか別のファイルに置き換えられたため、保存できませんでした。保存していない変更は取り消されました。</source>
      <translation>The project file was removed or replaced by another file while it was open, so it could not be saved. The unsaved changes were discarded.</translation>
    </message>
    <message>
      <source>プロジェクト名は省略できません。</source>
      <translation>The project name cannot be left out.</translation>
    </message>
    <message>
      <source>インポートが終了しました。</source>
      <translation>The import has ended.</translation>
    </message>
    <message>
      <source>インポートが異常終了しました。詳細はログで確認してください。</source>
      <translation>The import ended abnormally. See the log for details.</translation>
    </message>
    <message>
      <source>CsvFileCtrlファイルのオープンに失敗しました。
ファイルが開かれている可能性があります。確認してください。</source>
      <translation>The CsvFileCtrl file could not be opened.
It may be open in another program. Please check.</translation>
    </message>
    <message>
      <source>ログファイルを開けなかったため、インポートは実行されませんでした。</source>
      <translation>The log file could not be opened, so nothing was imported.</translation>
    </message>
    <message>
      <source>データベースファイルをバックアップできませんでした。</source>
      <translation>The database file could not be backed up.</translation>
    </message>
    <message>
      <source>データベースファイルを削除できませんでした。</source>
      <translation>The database file could not be deleted.</translation>
    </message>
    <message>
      <source>退避していたデータベースファイルを戻せませんでした。</source>
      <translation>The backed-up database file could not be put back.</translation>
    </message>
    <message>
      <source>現在のデータに追加します。追加する場合「はい」を選択してください。
新規にデータを取り込む場合、「いいえ」を選択し、プロジェクトを切り替えてください。
追加するときにIDが重複していると、ID上位部の先頭に「IMPORT」を追加して登録されます。
インポート終了後修正してください。
</source>
      <translation>The records are added to the current data. Choose "Yes" to add them.
To import them into a new project, choose "No" and switch the project.
A record whose ID already exists is registered with "IMPORT" in front of the upper part of its ID.
Correct those IDs after the import.
</translation>
    </message>
    <message>
      <source>IDが重複したため、ID上位部の先頭に「IMPORT」を追加しました。
修正してください。</source>
      <translation>IDs were already in use, so "IMPORT" was put in front of their upper parts.
Please correct them.</translation>
    </message>
    <message>
      <source>ファイルをオープンできませんでした。</source>
      <translation>The file could not be opened.</translation>
    </message>
    <message>
      <source>インポート時IDが重複したので、ID上位部の先頭に「IMPORT」が追加されています。修正してください。</source>
      <translation>The ID was already in use at the import, so "IMPORT" was put in front of its upper part. Please correct it.</translation>
    </message>
    <message>
      <source>インポート時ID上位部の先頭に追加された「IMPORT」が残っています。修正してください。</source>
      <translation>The "IMPORT" put in front of the upper part of the ID at the import is still there. Please correct it.</translation>
    </message>
    <message>
      <source>場所が指定されていません。保存してよろしいですか？</source>
      <translation>No place is given. Save all the same?</translation>
    </message>
    <message>
      <source>判明IDが指定されていません。保存してよろしいですか？</source>
      <translation>No partner ID is given. Save all the same?</translation>
    </message>
    <message>
      <source>データを保存しません。よろしいですか？</source>
      <translation>The data will not be saved. Continue?</translation>
    </message>
    <message>
      <source>全て「歯あり」</source>
      <translation>All "present"</translation>
    </message>
    <message>
      <source>全て「健全歯」</source>
      <translation>All "sound"</translation>
    </message>
    <message>
      <source>全て「情報なし」</source>
      <translation>All "no information"</translation>
    </message>
    <message>
      <source>上顎全て「欠損」</source>
      <translation>Upper jaw "missing"</translation>
    </message>
    <message>
      <source>全て「欠損」</source>
      <translation>All "missing"</translation>
    </message>
    <message>
      <source>下顎全て「欠損」</source>
      <translation>Lower jaw "missing"</translation>
    </message>
    <message>
      <source>修正</source>
      <translation>Modify</translation>
    </message>
    <message>
      <source>新規登録</source>
      <translation>New record</translation>
    </message>
    <message>
      <source>登録日   </source>
      <translation>Registered   </translation>
    </message>
    <message>
      <source>照合種別を選択してください。</source>
      <translation>Choose the kind.</translation>
    </message>
    <message>
      <source>対象IDを指定してください。</source>
      <translation>Give the partner ID.</translation>
    </message>
    <message>
      <source>同一人物の情報は１件のみ登録可能です。
既に同一人物となっている情報の照合種別を変更してから登録してください</source>
      <translation>Only one same-person entry can be registered.
Change the kind of the existing same-person entry first, then register</translation>
    </message>
    <message>
      <source>照合履歴一覧に同一人物が設定されている場合、判明済みをOFFにできません。
OFFにしたい場合同一人物を削除してください。</source>
      <translation>Identified cannot be turned off while the match history lists a same person.
To turn it off, delete the same-person entry.</translation>
    </message>
    <message>
      <source>同一人物</source>
      <translation>Genuine pair</translation>
    </message>
    <message>
      <source>他人</source>
      <translation>Imposter pair</translation>
    </message>
    <message>
      <source>鑑定中</source>
      <translation>Under investigation</translation>
    </message>
    <message>
      <source>デンタルチャート</source>
      <translation>dental chart</translation>
    </message>
    <message>
      <source>他の情報</source>
      <translation>other information</translation>
    </message>
    <message>
      <source>%1 は %2 と同一人物として登録されています。登録を変更しますか？</source>
      <translation>%1 is registered as the same person as %2. Change the registration?</translation>
    </message>
    <message>
      <source>照合種別</source>
      <translation>Kind</translation>
    </message>
    <message>
      <source>生前ID</source>
      <translation>AM ID</translation>
    </message>
    <message>
      <source>死後ID</source>
      <translation>PM ID</translation>
    </message>
    <message>
      <source>死後ID：</source>
      <translation>PM ID:</translation>
    </message>
    <message>
      <source>生前ID：</source>
      <translation>AM ID:</translation>
    </message>
    <message>
      <source>性別</source>
      <translation>Sex</translation>
    </message>
    <message>
      <source>年令</source>
      <translation>Age</translation>
    </message>
    <message>
      <source>健全歯</source>
      <translation>Sound</translation>
    </message>
    <message>
      <source>部分修復</source>
      <translation>Partial</translation>
    </message>
    <message>
      <source>全部修復</source>
      <translation>Full</translation>
    </message>
    <message>
      <source>欠損</source>
      <translation>Missing</translation>
    </message>
    <message>
      <source>情報なし</source>
      <translation>No info</translation>
    </message>
    <message>
      <source>歯あり</source>
      <translation>Present</translation>
    </message>
    <message>
      <source>スコアの重みづけ（生前→死後）</source>
      <translation>Score weights (AM → PM)</translation>
    </message>
    <message>
      <source>スコアの重みづけ（死後→生前）</source>
      <translation>Score weights (PM → AM)</translation>
    </message>
    <message>
      <source>1文字以上、100文字以内で指定してください。</source>
      <translation>Give 1 to 100 characters.</translation>
    </message>
    <message>
      <source>数字以外が指定されています。</source>
      <translation>A character that is not a digit was given.</translation>
    </message>
    <message>
      <source>1～65535で指定して下さい。</source>
      <translation>Give a number from 1 to 65535.</translation>
    </message>
    <message>
      <source>小数点以下は第４位まで指定できます。</source>
      <translation>At most four decimal places can be given.</translation>
    </message>
    <message>
      <source>-1.0000～1.0000の範囲で指定して下さい。</source>
      <translation>Give a number from -1.0000 to 1.0000.</translation>
    </message>
    <message>
      <source>ブリッジ数</source>
      <translation>Bridges</translation>
    </message>
    <message>
      <source>ブリッジ一致数</source>
      <translation>Bridge agreements</translation>
    </message>
    <message>
      <source>ブリッジ不一致数</source>
      <translation>Bridge disagreements</translation>
    </message>
    <message>
      <source>不一致　</source>
      <translation>Mismatch  </translation>
    </message>
    <message>
      <source>一致箇所の表示</source>
      <translation>Agreeing teeth</translation>
    </message>
    <message>
      <source>ファイル名に使用できない文字がIDに含まれています。IDからファイル名に使用できない文字を削除しています。</source>
      <translation>The ID contains characters that a file name cannot hold. They are left out of the file name.</translation>
    </message>
    <message>
      <source>照合優先度</source>
      <translation>Priority</translation>
    </message>
    <message>
      <source>右上%1</source>
      <translation>1%1</translation>
    </message>
    <message>
      <source>左上%1</source>
      <translation>2%1</translation>
    </message>
    <message>
      <source>左下%1</source>
      <translation>3%1</translation>
    </message>
    <message>
      <source>右下%1</source>
      <translation>4%1</translation>
    </message>
    <message>
      <source>照合状態</source>
      <translation>Status</translation>
    </message>
    <message>
      <source>生前ＩＤ</source>
      <translation>AM ID</translation>
    </message>
    <message>
      <source>死後ＩＤ</source>
      <translation>PM ID</translation>
    </message>
    <message>
      <source>全修復欠損一致数</source>
      <translation>Full/missing</translation>
    </message>
    <message>
      <source>検索指定　：</source>
      <translation>Search:    </translation>
    </message>
    <message>
      <source>表示順　　：</source>
      <translation>Order:     </translation>
    </message>
    <message>
      <source>検索対象外：非表示</source>
      <translation>Excluded:  hidden</translation>
    </message>
    <message>
      <source>検索対象外：表示</source>
      <translation>Excluded:  shown</translation>
    </message>
    <message>
      <source>全検索</source>
      <translation>Full search</translation>
    </message>
    <message>
      <source>検索</source>
      <translation>Search</translation>
    </message>
    <message>
      <source>上</source>
      <translation>Upper</translation>
    </message>
    <message>
      <source>下</source>
      <translation>Lower</translation>
    </message>
    <message>
      <source>右</source>
      <translation>R</translation>
    </message>
    <message>
      <source>左</source>
      <translation>L</translation>
    </message>
    <message>
      <source>作成日：%Y年%m月%d日 %H時%M分</source>
      <translation>Created: %Y-%m-%d %H:%M</translation>
    </message>
    <message>
      <source>日時</source>
      <translation>Time</translation>
    </message>
    <message>
      <source>担当者</source>
      <translation>Examiner</translation>
    </message>
    <message>
      <source>ログイン名</source>
      <translation>Login</translation>
    </message>
    <message>
      <source>種類</source>
      <translation>Kind</translation>
    </message>
    <message>
      <source>区分</source>
      <translation>Side</translation>
    </message>
    <message>
      <source>確認</source>
      <translation>Check</translation>
    </message>
    <message>
      <source>由来</source>
      <translation>Origin</translation>
    </message>
    <message>
      <source>変更内容</source>
      <translation>Change</translation>
    </message>
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
      <source>［由来：%1］</source>
      <translation>[Origin: %1]</translation>
    </message>
    <message>
      <source>登録</source>
      <translation>Add</translation>
    </message>
    <message>
      <source>削除</source>
      <translation>Delete</translation>
    </message>
    <message>
      <source>照合履歴</source>
      <translation>Match history</translation>
    </message>
    <message>
      <source>歯式確認</source>
      <translation>Chart check</translation>
    </message>
    <message>
      <source>環境設定</source>
      <translation>Settings</translation>
    </message>
    <message>
      <source>デジタルペン取込</source>
      <translation>Pen import</translation>
    </message>
    <message>
      <source>OES取込</source>
      <translation>OES import</translation>
    </message>
    <message>
      <source>マージ</source>
      <translation>Merge</translation>
    </message>
    <message>
      <source>データマッチング</source>
      <translation>Data matching</translation>
    </message>
    <message>
      <source>デモ作成</source>
      <translation>Demo</translation>
    </message>
    <message>
      <source>確認済み</source>
      <translation>Checked</translation>
    </message>
    <message>
      <source>未確認</source>
      <translation>Unchecked</translation>
    </message>
    <message>
      <source>確認済み（%1 %2）</source>
      <translation>Checked (%1 %2)</translation>
    </message>
    <message>
      <source>この歯式は既に確認済みです。</source>
      <translation>This chart has already been checked.</translation>
    </message>
    <message>
      <source>最後に歯式を変更した担当者は確認できません。別の担当者が確認してください。</source>
      <translation>The examiner who last changed the chart cannot check it. Another examiner must check it.</translation>
    </message>
    <message>
      <source>歯式が変更されています。保存してから確認してください。</source>
      <translation>The chart has been changed. Save it before checking it.</translation>
    </message>
    <message>
      <source>身元確認（確定）</source>
      <translation>Identification established</translation>
    </message>
    <message>
      <source>可能性が高い</source>
      <translation>Probable</translation>
    </message>
    <message>
      <source>可能性あり</source>
      <translation>Possible</translation>
    </message>
    <message>
      <source>除外</source>
      <translation>Excluded</translation>
    </message>
    <message>
      <source>判断不能</source>
      <translation>Insufficient</translation>
    </message>
    <message>
      <source>報告書</source>
      <translation>Report</translation>
    </message>
  </context>
</TS>