@echo off
rem Writes vorlane.mod, the host's module description, beside this script: one
rem line that names this folder, under which the host finds plug-ins\ and
rem scripts\. Run it again after moving the folder. The folder is then made
rem known to the host by MAYA_MODULE_PATH, or by copying vorlane.mod into a
rem folder on it.
setlocal EnableExtensions DisableDelayedExpansion
if "%~1"=="/?" goto usage
if not "%~1"=="" goto misuse

set "root=%~dp0"
set "root=%root:~0,-1%"
rem The path is put into the line with delayed expansion, which would take
rem these two characters as its own.
set "plain=%root:!=%"
set "plain=%plain:^=%"
if not "%plain%"=="%root%" (
    echo install.bat: the folder's path holds ! or ^^, which this step cannot write; move the folder 1>&2
    exit /b 1
)
set "line="
for /f "usebackq delims=" %%l in ("%~dp0vorlane.mod.in") do set "line=%%l"
if not defined line (
    echo install.bat: %~dp0vorlane.mod.in is missing or empty 1>&2
    exit /b 1
)
setlocal EnableDelayedExpansion
set "line=!line:@VORLANE_MODULE_ROOT@=%root%!"
> "%~dp0vorlane.mod" echo !line!
if errorlevel 1 exit /b 1
echo install.bat: wrote !root!\vorlane.mod; add !root! to MAYA_MODULE_PATH
endlocal
exit /b 0

:misuse
echo usage: install.bat (takes no arguments) 1>&2
exit /b 2

:usage
echo usage: install.bat
echo Writes vorlane.mod in this folder, naming this folder as the module's path.
exit /b 0
