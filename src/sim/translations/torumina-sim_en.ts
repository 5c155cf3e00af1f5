<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>ChartFile</name>
    <message>
        <source>グラフを「%1」に保存できませんでした。
%2</source>
        <translation>cannot write the chart to &quot;%1&quot;:
%2</translation>
    </message>
    <message>
        <source>書き込めませんでした。</source>
        <translation>write failed</translation>
    </message>
    <message>
        <source>書き込む権限がありません。</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>読み取り専用の場所です。</source>
        <translation>read-only file system</translation>
    </message>
    <message>
        <source>ディスクがいっぱいです。</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>フォルダがありません。</source>
        <translation>no such folder</translation>
    </message>
    <message>
        <source>出力が閉じています。</source>
        <translation>the output is closed</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます。</source>
        <translation>file name too long</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>装置の読み書きに失敗しました。</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>書き込めませんでした（エラー番号 %1）。</source>
        <translation>write failed (error %1)</translation>
    </message>
    <message>
        <source>通常のファイルではありません。</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>PNG に変換できませんでした。</source>
        <translation>PNG encoding failed</translation>
    </message>
</context>
<context>
    <name>SimMessages</name>
    <message>
        <source>%1 には%2を指定してください（&quot;%3&quot; は使えません）</source>
        <translation>%1 expects %2, got &quot;%3&quot;</translation>
    </message>
    <message>
        <source> %1〜%2 の整数</source>
        <translation>an integer from %1 to %2</translation>
    </message>
    <message>
        <source> text・csv・json のどれか</source>
        <translation>text, csv or json</translation>
    </message>
    <message>
        <source>%1 というオプションはありません（--help を参照）</source>
        <translation>unknown option %1 (see --help)</translation>
    </message>
    <message>
        <source>%1 には値が要ります（--help を参照）</source>
        <translation>%1 needs a value (see --help)</translation>
    </message>
    <message>
        <source>%1 には値を付けられません（--help を参照）</source>
        <translation>%1 takes no value (see --help)</translation>
    </message>
    <message>
        <source>余分な引数 &quot;%1&quot; があります（--help を参照）</source>
        <translation>unexpected argument &quot;%1&quot; (see --help)</translation>
    </message>
    <message>
        <source>--chart にはファイル名を指定してください</source>
        <translation>--chart needs a file name</translation>
    </message>
    <message>
        <source>使い方:</source>
        <translation>Usage:</translation>
    </message>
    <message>
        <source>受付で会費を集める幹事が、お釣り用の５００円玉を何枚用意すればよいかを、
窓を開かずに実験します。各実験ではお客の人数だけ硬貨を投げ、５００円玉の
残りがいちばん少なくなった値（不足枚数）を数えます。メッセージは英語の
ロケール（LANG=en_US.UTF-8 など）では英語、ほかでは日本語で出ます。</source>
        <translation>Runs the coin-toss experiment of the window without a window: each experiment
tosses one fair coin per guest and records the lowest number of 500-yen coins
the organiser held (the shortage count); a run counts how often each occurred.
Messages are in English in an English locale (LANG=en_US.UTF-8, say) and in
Japanese in any other.</translation>
    </message>
    <message>
        <source>お客人数（%1〜%2、既定 %3）</source>
        <translation>guests per experiment (%1-%2, default %3)</translation>
    </message>
    <message>
        <source>実験回数（%1〜%2、既定 %3）</source>
        <translation>number of experiments (%1-%2, default %3)</translation>
    </message>
    <message>
        <source>乱数の種（%1〜%2）。同じ種と条件なら
毎回同じ結果。省略すると種を選び、結果といっしょに表示する</source>
        <translation>seed (%1-%2); the same seed and parameters
give the same output on every run. Without it a seed is
drawn at random and printed with the result.</translation>
    </message>
    <message>
        <source>出力形式 text（既定、画面と同じ表）・csv・json</source>
        <translation>output format: text (default, the window&apos;s table), csv, json</translation>
    </message>
    <message>
        <source>理論上の分布と、90・95・99 % の夜に足りる枚数を添える</source>
        <translation>add the exact distribution and the coins that suffice on
90, 95 and 99 % of evenings</translation>
    </message>
    <message>
        <source>不足枚数ごとの度数と理論上の期待度数の棒グラフを PNG で
保存。90・95・99 % の夜に足りた枚数に線を引く</source>
        <translation>save a PNG bar chart of the counts by lowest balance, with
the exact expected counts over it and lines at the coins
that sufficed on 90, 95 and 99 % of evenings</translation>
    </message>
    <message>
        <source>この説明</source>
        <translation>this text</translation>
    </message>
    <message>
        <source>版</source>
        <translation>the version</translation>
    </message>
    <message>
        <source>終了状態:</source>
        <translation>Exit status:</translation>
    </message>
    <message>
        <source>グラフを書けない（同じ名前の前のファイルはそのまま残る）</source>
        <translation>the chart could not be written (an earlier file of that name is kept)</translation>
    </message>
    <message>
        <source>オプションの誤り</source>
        <translation>invalid option</translation>
    </message>
    <message>
        <source>標準出力に書けません: %1</source>
        <translation>cannot write to standard output: %1</translation>
    </message>
    <message>
        <source>成功。出力の読み手が途中でやめたとき（head に渡したときなど）も、
何も言わずに 0 で終わる</source>
        <translation>success, also when the reader of standard output stops early (as head
does): the rest of the report is dropped without a message</translation>
    </message>
    <message>
        <source>標準出力に書けない（ディスクがいっぱい、出力が閉じているなど）</source>
        <translation>standard output could not be written (a full disk, a closed output)</translation>
    </message>
    <message>
        <source>--evening と --%1 は一緒に使えません</source>
        <translation>--evening cannot be used with --%1</translation>
    </message>
    <message>
        <source>一晩だけを、お客ひとりずつ表示する（硬貨の表裏、払い方、
手元の５００円玉、これまでの最低）。最後に最低の枚数と、
用意すれば足りた枚数。同じ種なら --trials 1 の実験と同じ夜</source>
        <translation>show one evening guest by guest (the toss, the
payment, the 500-yen coins on hand, the lowest so far),
then its lowest point and the coins that sufficed; the
same seed gives the first evening of --trials 1</translation>
    </message>
</context>
</TS>
