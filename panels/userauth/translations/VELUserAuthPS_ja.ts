<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>Localizable</name>
    <message>
        <source>PanelName</source>
        <translation>ユーザー認証</translation>
    </message>
    <message>
        <source>AlertPanelOKButton</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>UserNameErrorTitle</source>
        <translation>このユーザー名は使用できません。</translation>
    </message>
    <message>
        <source>UserNameLengthErrorMessage</source>
        <translation>ユーザー名は1〜32文字で入力してください。</translation>
    </message>
    <message>
        <source>UserNameCharacrerErrorMessage</source>
        <translation>ユーザー名にカンマ、引用符、制御文字は使用できません。</translation>
    </message>
    <message>
        <source>PasswordErrorTitle</source>
        <translation>このパスワードは使用できません。</translation>
    </message>
    <message>
        <source>PasswordLengthErrorMessage</source>
        <translation>パスワードは1〜32文字で入力してください。</translation>
    </message>
    <message>
        <source>PasswordCharacrerErrorMessage</source>
        <translation>パスワードにカンマ、引用符、制御文字は使用できません。</translation>
    </message>
</context>
<context>
    <name>VELUserAuthPS</name>
    <message>
        <source>Use User Authentication</source>
        <translation>ユーザー認証を使用する</translation>
    </message>
    <message>
        <source>User Name:</source>
        <translation>ユーザー名:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>パスワード:</translation>
    </message>
    <message>
        <source>Up to 32 characters each. Commas, quotation marks and control characters are not allowed.</source>
        <translation>それぞれ32文字まで。カンマ、引用符、制御文字は使用できません。</translation>
    </message>
</context>
</TS>
