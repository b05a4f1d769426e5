; The .sin file type goes with the program; the extension only while it
; still names Korvel's type (another program may have taken it since).
DeleteRegKey HKLM "Software\Classes\Korvel.Document"
ReadRegStr $0 HKLM "Software\Classes\.sin" ""
StrCmp $0 "Korvel.Document" 0 +2
DeleteRegKey HKLM "Software\Classes\.sin"
System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
