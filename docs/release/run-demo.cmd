@echo off
rem Starts the program of this folder on the simulated phone: p2kapi.dll here serves the
rem folder "phone" beside it. The first start points the archive at the folder "archive" here:
rem the setting is relative to the current folder, so it holds whatever letters the path has.
cd /d "%~dp0"
if exist Zarvelinthoscope.ini goto run
echo [Options]>Zarvelinthoscope.ini
echo GalleryPath=archive>>Zarvelinthoscope.ini
:run
start "" zarvelinthoscope.exe
