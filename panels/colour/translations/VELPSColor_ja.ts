<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>AdvancedSettingWindow</name>
    <message>
        <location filename="../Resources/AdvancedSettingWindow.ui" line="6"/>
        <source>Advanced Color Settings</source>
        <translation>カラーの拡張設定</translation>
    </message>
    <message>
        <location filename="../Resources/AdvancedSettingWindow.ui" line="33"/>
        <source>Always Use Printer Halftone</source>
        <translation>常にプリンターのハーフトーンを使用</translation>
    </message>
    <message>
        <location filename="../Resources/AdvancedSettingWindow.ui" line="40"/>
        <source>Black Overprint</source>
        <translation>黒のオーバープリント</translation>
    </message>
    <message>
        <location filename="../Resources/AdvancedSettingWindow.ui" line="47"/>
        <source>Optimized Grayscale Halftone</source>
        <translation>グレースケール用ハーフトーンの最適化</translation>
    </message>
    <message>
        <location filename="../Resources/AdvancedSettingWindow.ui" line="65"/>
        <source>Color Separation:</source>
        <translation>色分解：</translation>
    </message>
    <message>
        <location filename="../Resources/AdvancedSettingWindow.ui" line="88"/>
        <source>Default</source>
        <translation>標準に戻す</translation>
    </message>
    <message>
        <location filename="../Resources/AdvancedSettingWindow.ui" line="108"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <location filename="../Resources/AdvancedSettingWindow.ui" line="115"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>GraphicProDetailWindow</name>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="6"/>
        <source>Graphic Pro Details</source>
        <translation>グラフィックプロの詳細</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="33"/>
        <source>Color Matching Task</source>
        <translation>カラーマッチング処理</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="45"/>
        <source>ICC Profile Matching</source>
        <translation>ICCプロファイルマッチング</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="58"/>
        <source>Print Simulation</source>
        <translation>印刷シミュレーション</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="71"/>
        <source>Profile Creation (No Matching)</source>
        <translation>プロファイル作成（マッチングなし）</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="84"/>
        <source>Application Color Matching</source>
        <translation>アプリケーションカラーマッチング</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="108"/>
        <source>Input Profiles</source>
        <translation>入力プロファイル</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="120"/>
        <source>RGB Source:</source>
        <translation>RGBソース：</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="133"/>
        <source>Simulation Target:</source>
        <translation>シミュレーションターゲット：</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="146"/>
        <source>CMYK Input Profile</source>
        <translation>CMYK入力プロファイル</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="162"/>
        <source>Preserve Black</source>
        <translation>黒を保持</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="169"/>
        <source>Device Link Profile</source>
        <translation>デバイスリンクプロファイル</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="309"/>
        <source>Printer Output</source>
        <translation>プリンター出力</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="324"/>
        <source>Output Profile:</source>
        <translation>出力プロファイル：</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="337"/>
        <source>Rendering Intent:</source>
        <translation>レンダリングインテント：</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="353"/>
        <source>Matching Precision</source>
        <translation>マッチング精度</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="387"/>
        <source>Fast</source>
        <translation>高速</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="397"/>
        <source>Normal</source>
        <translation>標準</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="407"/>
        <source>Fine</source>
        <translation>高精度</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="431"/>
        <source>Black Finish:</source>
        <translation>黒の仕上げ：</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="444"/>
        <source>Pure Black Text</source>
        <translation>黒文字をピュアブラックで印刷</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="463"/>
        <source>Default</source>
        <translation>標準に戻す</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="483"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <location filename="../Resources/GraphicProDetailWindow.ui" line="490"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Localizable</name>
    <message>
        <source>PanelName</source>
        <translation>カラー</translation>
    </message>
    <message>
        <source>ColorMode</source>
        <translation>カラーモード</translation>
    </message>
    <message>
        <source>TonerSaving</source>
        <translation>トナーセーブ</translation>
    </message>
    <message>
        <source>TonerSaving100</source>
        <translation>カラートナーセーブ</translation>
    </message>
    <message>
        <source>CustomCalibration</source>
        <translation>カスタムキャリブレーション</translation>
    </message>
    <message>
        <source>RGBColorSetting</source>
        <translation>RGBカラー設定</translation>
    </message>
    <message>
        <source>RGBUserColor</source>
        <translation>RGBユーザーカラー</translation>
    </message>
    <message>
        <source>ColorSimuration</source>
        <translation>カラーシミュレーション</translation>
    </message>
    <message>
        <source>OfficeColorBlackFinish</source>
        <translation>黒の仕上げ</translation>
    </message>
    <message>
        <source>ColorMatchingTask</source>
        <translation>カラーマッチング処理</translation>
    </message>
    <message>
        <source>RGBProfile</source>
        <translation>RGBソースプロファイル</translation>
    </message>
    <message>
        <source>CMYKProfile</source>
        <translation>CMYKソース</translation>
    </message>
    <message>
        <source>CMYKInputProfile</source>
        <translation>CMYK入力プロファイル</translation>
    </message>
    <message>
        <source>PreserveBlack</source>
        <translation>黒を保持</translation>
    </message>
    <message>
        <source>CMYKLinkProfile</source>
        <translation>デバイスリンクプロファイル</translation>
    </message>
    <message>
        <source>SimurationTargetProfile</source>
        <translation>シミュレーションターゲットプロファイル</translation>
    </message>
    <message>
        <source>PrinterOutputProfile</source>
        <translation>プリンター出力プロファイル</translation>
    </message>
    <message>
        <source>RenderingIntent</source>
        <translation>レンダリングインテント</translation>
    </message>
    <message>
        <source>ColorMatchPrecision</source>
        <translation>マッチング精度</translation>
    </message>
    <message>
        <source>GraphicProBlackFinish</source>
        <translation>黒の仕上げ（グラフィックプロ）</translation>
    </message>
    <message>
        <source>PureBlackText</source>
        <translation>黒文字をピュアブラックで印刷</translation>
    </message>
    <message>
        <source>AlwaysPrinterHalftone</source>
        <translation>常にプリンターのハーフトーンを使用</translation>
    </message>
    <message>
        <source>BlackOverPrint</source>
        <translation>黒のオーバープリント</translation>
    </message>
    <message>
        <source>OptimizedGrayScaleHalftone</source>
        <translation>グレースケール用ハーフトーンの最適化</translation>
    </message>
    <message>
        <source>ColorSeparation</source>
        <translation>色分解</translation>
    </message>
</context>
<context>
    <name>OfficeColorDetailWindow</name>
    <message>
        <location filename="../Resources/OfficeColorDetailWindow.ui" line="6"/>
        <source>Office Color Details</source>
        <translation>オフィスカラーの詳細</translation>
    </message>
    <message>
        <location filename="../Resources/OfficeColorDetailWindow.ui" line="44"/>
        <source>RGB Color Setting:</source>
        <translation>RGBカラー設定：</translation>
    </message>
    <message>
        <location filename="../Resources/OfficeColorDetailWindow.ui" line="57"/>
        <source>RGB User Color:</source>
        <translation>RGBユーザーカラー：</translation>
    </message>
    <message>
        <location filename="../Resources/OfficeColorDetailWindow.ui" line="70"/>
        <source>Color Simulation:</source>
        <translation>カラーシミュレーション：</translation>
    </message>
    <message>
        <location filename="../Resources/OfficeColorDetailWindow.ui" line="85"/>
        <source>Black Finish</source>
        <translation>黒の仕上げ</translation>
    </message>
    <message>
        <location filename="../Resources/OfficeColorDetailWindow.ui" line="94"/>
        <source>Composite Black (CMYK)</source>
        <translation>コンポジットブラック（CMYK）</translation>
    </message>
    <message>
        <location filename="../Resources/OfficeColorDetailWindow.ui" line="107"/>
        <source>Pure Black (K Only)</source>
        <translation>ピュアブラック（Kのみ）</translation>
    </message>
    <message>
        <location filename="../Resources/OfficeColorDetailWindow.ui" line="131"/>
        <source>Default</source>
        <translation>標準に戻す</translation>
    </message>
    <message>
        <location filename="../Resources/OfficeColorDetailWindow.ui" line="151"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <location filename="../Resources/OfficeColorDetailWindow.ui" line="158"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>VELPSColor</name>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="24"/>
        <source>Color Mode</source>
        <translation>カラーモード</translation>
    </message>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="36"/>
        <source>Office Color</source>
        <translation>オフィスカラー</translation>
    </message>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="49"/>
        <location filename="../Resources/VELPSColor.ui" line="82"/>
        <source>Details…</source>
        <translation>詳細…</translation>
    </message>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="56"/>
        <source>Photo Color</source>
        <translation>フォトカラー</translation>
    </message>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="69"/>
        <source>Graphic Pro</source>
        <translation>グラフィックプロ</translation>
    </message>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="89"/>
        <source>Grayscale</source>
        <translation>グレースケール</translation>
    </message>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="131"/>
        <source>Toner Saving</source>
        <translation>トナーセーブ</translation>
    </message>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="138"/>
        <source>Toner Saving:</source>
        <translation>トナーセーブ：</translation>
    </message>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="151"/>
        <source>Save Color Toner (Black Only)</source>
        <translation>カラートナーを節約（黒のみで印刷）</translation>
    </message>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="158"/>
        <source>Custom Calibration:</source>
        <translation>カスタムキャリブレーション：</translation>
    </message>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="203"/>
        <source>Advanced…</source>
        <translation>拡張設定…</translation>
    </message>
    <message>
        <location filename="../Resources/VELPSColor.ui" line="223"/>
        <source>Default</source>
        <translation>標準に戻す</translation>
    </message>
</context>
</TS>
