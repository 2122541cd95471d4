<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Localizable</name>
    <message>
        <source>PanelName</source>
        <translation>User Authentication</translation>
    </message>
    <message>
        <source>AlertPanelOKButton</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>UserNameErrorTitle</source>
        <translation>The user name cannot be used.</translation>
    </message>
    <message>
        <source>UserNameLengthErrorMessage</source>
        <translation>Enter a user name of 1 to 32 characters.</translation>
    </message>
    <message>
        <source>UserNameCharacrerErrorMessage</source>
        <translation>The user name must not contain commas, quotation marks or control characters.</translation>
    </message>
    <message>
        <source>PasswordErrorTitle</source>
        <translation>The password cannot be used.</translation>
    </message>
    <message>
        <source>PasswordLengthErrorMessage</source>
        <translation>Enter a password of 1 to 32 characters.</translation>
    </message>
    <message>
        <source>PasswordCharacrerErrorMessage</source>
        <translation>The password must not contain commas, quotation marks or control characters.</translation>
    </message>
</context>
</TS>
