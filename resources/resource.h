// Resource numbers of Norvex.exe: icons, image-list strips and pictures.
#pragma once

#define IDI_NORVEX 1

#define IDB_PANELS16 101
#define IDB_PANELS24X20 102
#define IDB_PROFILES16 103
#define IDB_SYSTEM16 104
#define IDB_ARROWS16 105
#define IDB_HEADER48 110
#define IDB_IPADDRESS48 111
#define IDB_INTERFACE48 112
#define IDB_SCRIPT48 113
#define IDB_LOGO144X55 114
#define IDB_ABOUT32 115
#define IDB_HINT20X18 116
