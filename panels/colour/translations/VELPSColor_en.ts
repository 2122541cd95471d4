<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Localizable</name>
    <message>
        <source>PanelName</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>ColorMode</source>
        <translation>Color Mode</translation>
    </message>
    <message>
        <source>TonerSaving</source>
        <translation>Toner Saving</translation>
    </message>
    <message>
        <source>TonerSaving100</source>
        <translation>Save Color Toner</translation>
    </message>
    <message>
        <source>CustomCalibration</source>
        <translation>Custom Calibration</translation>
    </message>
    <message>
        <source>RGBColorSetting</source>
        <translation>RGB Color Setting</translation>
    </message>
    <message>
        <source>RGBUserColor</source>
        <translation>RGB User Color</translation>
    </message>
    <message>
        <source>ColorSimuration</source>
        <translation>Color Simulation</translation>
    </message>
    <message>
        <source>OfficeColorBlackFinish</source>
        <translation>Black Finish</translation>
    </message>
    <message>
        <source>ColorMatchingTask</source>
        <translation>Color Matching Task</translation>
    </message>
    <message>
        <source>RGBProfile</source>
        <translation>RGB Source Profile</translation>
    </message>
    <message>
        <source>CMYKProfile</source>
        <translation>CMYK Source</translation>
    </message>
    <message>
        <source>CMYKInputProfile</source>
        <translation>CMYK Input Profile</translation>
    </message>
    <message>
        <source>PreserveBlack</source>
        <translation>Preserve Black</translation>
    </message>
    <message>
        <source>CMYKLinkProfile</source>
        <translation>Device Link Profile</translation>
    </message>
    <message>
        <source>SimurationTargetProfile</source>
        <translation>Simulation Target Profile</translation>
    </message>
    <message>
        <source>PrinterOutputProfile</source>
        <translation>Printer Output Profile</translation>
    </message>
    <message>
        <source>RenderingIntent</source>
        <translation>Rendering Intent</translation>
    </message>
    <message>
        <source>ColorMatchPrecision</source>
        <translation>Matching Precision</translation>
    </message>
    <message>
        <source>GraphicProBlackFinish</source>
        <translation>Black Finish (Graphic Pro)</translation>
    </message>
    <message>
        <source>PureBlackText</source>
        <translation>Pure Black Text</translation>
    </message>
    <message>
        <source>AlwaysPrinterHalftone</source>
        <translation>Always Use Printer Halftone</translation>
    </message>
    <message>
        <source>BlackOverPrint</source>
        <translation>Black Overprint</translation>
    </message>
    <message>
        <source>OptimizedGrayScaleHalftone</source>
        <translation>Optimized Grayscale Halftone</translation>
    </message>
    <message>
        <source>ColorSeparation</source>
        <translation>Color Separation</translation>
    </message>
</context>
</TS>
