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
rem The path is written with delayed expansion, which keeps characters such
rem as & and ) as they are but would take these two as its own.
set "plain=%root:!=%"
set "plain=%plain:^=%"
if not "%plain%"=="%root%" (
    echo install.bat: the folder's path holds ! or ^^, which this step cannot write; move the folder 1>&2
    exit /b 1
)
rem The template is the description up to its path, @VORLANE_MODULE_ROOT@.
findstr /c:"@VORLANE_MODULE_ROOT@" "%~dp0vorlane.mod.in" >nul 2>&1
if errorlevel 1 (
    echo install.bat: vorlane.mod.in beside this script is missing or has no @VORLANE_MODULE_ROOT@ 1>&2
    exit /b 1
)
set "head="
for /f "usebackq tokens=1 delims=@" %%h in ("%~dp0vorlane.mod.in") do set "head=%%h"
setlocal EnableDelayedExpansion
> "%~dp0vorlane.mod" echo !head!!root!
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
