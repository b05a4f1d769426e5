; The .sin file type, for every user of the machine: "Vardo Document" with
; the document icon (korvel.exe's second), opened by the program; Explorer is
; told the associations changed.
WriteRegStr HKLM "Software\Classes\.sin" "" "Korvel.Document"
WriteRegStr HKLM "Software\Classes\.sin" "Content Type" "application/x-korvel-sin"
WriteRegStr HKLM "Software\Classes\Korvel.Document" "" "Vardo Document"
WriteRegStr HKLM "Software\Classes\Korvel.Document\DefaultIcon" "" "$INSTDIR\bin\korvel.exe,1"
WriteRegStr HKLM "Software\Classes\Korvel.Document\shell\open\command" "" '"$INSTDIR\bin\korvel.exe" "%1"'
System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
