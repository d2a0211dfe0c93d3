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

// The same pictures drawn for displays at 150% and 200% (icons/NAME@150.bmp, icons/NAME@200.bmp) have
// the 100% ID plus a fixed offset, so IdForScale(baseId, scalePercent) is baseId at 100%,
// baseId + IDB_SCALE150 at 150% and baseId + IDB_SCALE200 at 200%. 100% IDs stay below 1000.
#define IDB_SCALE150 1000
#define IDB_SCALE200 2000

#define IDB_PANELS16_150 1101
#define IDB_PANELS24X20_150 1102
#define IDB_PROFILES16_150 1103
#define IDB_SYSTEM16_150 1104
#define IDB_ARROWS16_150 1105
#define IDB_HEADER48_150 1110
#define IDB_IPADDRESS48_150 1111
#define IDB_INTERFACE48_150 1112
#define IDB_SCRIPT48_150 1113
#define IDB_LOGO144X55_150 1114
#define IDB_ABOUT32_150 1115
#define IDB_HINT20X18_150 1116

#define IDB_PANELS16_200 2101
#define IDB_PANELS24X20_200 2102
#define IDB_PROFILES16_200 2103
#define IDB_SYSTEM16_200 2104
#define IDB_ARROWS16_200 2105
#define IDB_HEADER48_200 2110
#define IDB_IPADDRESS48_200 2111
#define IDB_INTERFACE48_200 2112
#define IDB_SCRIPT48_200 2113
#define IDB_LOGO144X55_200 2114
#define IDB_ABOUT32_200 2115
#define IDB_HINT20X18_200 2116
