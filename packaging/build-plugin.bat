@echo off
rem Builds the vorlane plug-in from the sources in source\ against the devkit
rem of an installed host, for the release that devkit is of, and writes it to
rem plug-ins\vorlane.mll beside this script, where the module file (written
rem by install.bat) leads the host.
rem
rem The release is the MAYA_API_VERSION that the devkit's maya\MTypes.h
rem defines. The host loads only plug-ins built with its own compiler: run
rem this from that compiler's x64 command prompt. For API 850 and the 2008 to
rem 2010 releases that is Visual C++ 2005 SP1, for 2012 and 2013 Visual C++
rem 2010 SP1, both C++98; 2022's headers need C++11 or later. Other releases
rem are refused: their compilers are not known here.
rem
rem Exit status: 0 built; 1 not a devkit, a release this script does not
rem know, or a failed build; 2 misuse. A refusal or a failed build leaves
rem plug-ins\ as it was.
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
if not exist "%location%\include\maya\MTypes.h" (
    echo build-plugin.bat: "%location%" has no include\maya\MTypes.h: not a host with its devkit 1>&2
    exit /b 1
)
set "api="
for /f "usebackq tokens=1-3" %%a in ("%location%\include\maya\MTypes.h") do (
    if "%%a"=="#define" if "%%b"=="MAYA_API_VERSION" if not defined api set "api=%%c"
)
if not defined api (
    echo build-plugin.bat: "%location%\include\maya\MTypes.h" defines no MAYA_API_VERSION: not a host's devkit 1>&2
    exit /b 1
)

rem The language level of the compiler each known release requires: Visual
rem C++ 2005 and 2010 know only C++98 and take no switch for it; C++14 is the
rem lowest level the later ones have a switch for.
set "release="
set "std="
for /f "delims=0123456789" %%x in ("%api%") do goto unknown
if "%api%"=="850" set "release=API 850 as C++98 (Visual C++ 2005 SP1)"
if "%api:~6%"=="" if not "%api:~5%"=="" (
    for %%y in (2008 2009 2010) do if "%api:~0,4%"=="%%y" set "release=API %api% (%%y) as C++98 (Visual C++ 2005 SP1)"
    for %%y in (2012 2013) do if "%api:~0,4%"=="%%y" set "release=API %api% (%%y) as C++98 (Visual C++ 2010 SP1)"
)
if "%api:~8%"=="" if not "%api:~7%"=="" if "%api:~0,4%"=="2022" (
    set "release=API %api% (2022) with /std:c++14"
    set "std=/std:c++14"
)
if not defined release goto unknown
echo build-plugin.bat: building for %release%

set "here=%~dp0"
set "out=%here%plug-ins"
rem Built in a folder of its own, and moved into place only when complete.
set "staging=%here%build"
if exist "%staging%" rd /s /q "%staging%"
mkdir "%staging%"
if errorlevel 1 goto failed
pushd "%here%source"

rem The macros the host's headers test (Bits64_ selects API 850's 64-bit
rem layouts, and is harmless where later headers follow the compiler's own);
rem the entry points exported under their plain names. The C runtime's
rem manifest is embedded where the linker wrote one: Visual C++ 2005 writes
rem it to a file of its own, and Windows reads a library's only when embedded.
cl /nologo %std% /O2 /W4 /fp:strict /EHsc /MD /DNT_PLUGIN /D_BOOL /DREQUIRE_IOSTREAM /DBits64_ /Iinclude /Imodel\include /I"%location%\include" plugSource\*.cpp model\src\*.cpp /Fo"%staging%\\" /LD /Fe"%staging%\vorlane.mll" /link /LIBPATH:"%location%\lib" OpenMaya.lib Foundation.lib /export:initializePlugin /export:uninitializePlugin
if errorlevel 1 goto failed
if exist "%staging%\vorlane.mll.manifest" mt /nologo -manifest "%staging%\vorlane.mll.manifest" "-outputresource:%staging%\vorlane.mll;2"
if errorlevel 1 goto failed
if not exist "%out%" mkdir "%out%"
move /y "%staging%\vorlane.mll" "%out%\vorlane.mll" >nul
if errorlevel 1 goto failed
popd
rd /s /q "%staging%"
echo build-plugin.bat: wrote "%out%\vorlane.mll"
exit /b 0

:failed
popd
if exist "%staging%" rd /s /q "%staging%"
echo build-plugin.bat: the build failed; plug-ins\ is as it was 1>&2
exit /b 1

:unknown
echo build-plugin.bat: the devkit at "%location%" is of API %api%, a release this script does not know: it builds for API 850, 2008 to 2010, 2012 and 2013 (C++98) and 2022 (C++14) 1>&2
exit /b 1

:misuse
echo usage: build-plugin.bat [MAYA_LOCATION] 1>&2
exit /b 2

:usage
echo usage: build-plugin.bat [MAYA_LOCATION]
echo Builds plug-ins\vorlane.mll against the host installed at MAYA_LOCATION (the
echo argument, or else the environment variable), which holds include\maya\ and
echo lib\ with OpenMaya.lib and Foundation.lib, for the release its
echo include\maya\MTypes.h names: API 850, 2008 to 2010, 2012 and 2013 as C++98,
echo 2022 with /std:c++14. Run it from the x64 command prompt of that release's
echo Visual C++.
exit /b 0
