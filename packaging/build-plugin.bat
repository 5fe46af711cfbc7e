@echo off
rem Builds the vorlane plug-in from the sources in source\ against the devkit
rem of an installed host, writes it to plug-ins\vorlane.mll beside this
rem script, where the module file (written by install.bat) leads the host,
rem and embeds its C runtime manifest, without which Windows cannot load it.
rem
rem Run it from a Visual C++ 2005 SP1 x64 command prompt: the host loads only
rem plug-ins built with its own compiler.
setlocal EnableExtensions
if "%~1"=="/?" goto usage
if "%~1"=="-h" goto usage
if "%~1"=="--help" goto usage
if not "%~2"=="" goto misuse

set "location=%~1"
if "%location%"=="" set "location=%MAYA_LOCATION%"
if "%location%"=="" (
    echo build-plugin.bat: no host given: set MAYA_LOCATION or name the host's folder 1>&2
    exit /b 2
)
if not exist "%location%\include\maya\MFnPlugin.h" (
    echo build-plugin.bat: "%location%" has no include\maya\MFnPlugin.h: not a host with its devkit 1>&2
    exit /b 1
)
set "here=%~dp0"
set "out=%here%plug-ins"
if not exist "%out%" mkdir "%out%"
if not exist "%here%build" mkdir "%here%build"
pushd "%here%source"

rem The macros the host's headers test (Bits64_ selects its 64-bit layouts);
rem the entry points exported under their plain names.
cl /nologo /O2 /W4 /fp:strict /EHsc /MD /DNT_PLUGIN /D_BOOL /DREQUIRE_IOSTREAM /DBits64_ /Iinclude /Imodel\include /I"%location%\include" plugSource\*.cpp model\src\*.cpp /Fo"%here%build\\" /LD /Fe"%out%\vorlane.mll" /link /LIBPATH:"%location%\lib" OpenMaya.lib Foundation.lib /export:initializePlugin /export:uninitializePlugin
if errorlevel 1 goto failed
mt /nologo -manifest "%out%\vorlane.mll.manifest" "-outputresource:%out%\vorlane.mll;2"
if errorlevel 1 goto failed
popd
echo build-plugin.bat: wrote "%out%\vorlane.mll"
exit /b 0

:failed
popd
echo build-plugin.bat: the build failed 1>&2
exit /b 1

:misuse
echo usage: build-plugin.bat [MAYA_LOCATION] 1>&2
exit /b 2

:usage
echo usage: build-plugin.bat [MAYA_LOCATION]
echo Builds plug-ins\vorlane.mll against the host installed at MAYA_LOCATION (the
echo argument, or else the environment variable), which holds include\maya\ and
echo lib\ with OpenMaya.lib and Foundation.lib. Run it from a Visual C++ 2005 SP1
echo x64 command prompt.
exit /b 0
