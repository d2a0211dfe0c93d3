// Who may change the files and folders that Norvex reads and starts while it runs as administrator.
#pragma once

#include "platform/Platform.h"

#include <cstdint>
#include <string>

// The accounts trusted with them: SYSTEM, the Administrators and TrustedInstaller, with the user the program runs as.
inline constexpr const char* SystemSid = "S-1-5-18";
inline constexpr const char* AdministratorsSid = "S-1-5-32-544";
inline constexpr const char* TrustedInstallerSid = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
// CREATOR OWNER stands in a folder's entries for whoever makes something inside it; no one holds it.
inline constexpr const char* CreatorOwnerSid = "S-1-3-0";
inline constexpr const char* EveryoneSid = "S-1-1-0";

// The rights that change a file or what a folder holds: write (in a folder: add files), append (add folders),
// delete-child, delete, write-DAC, write-owner, generic write and generic all.
inline constexpr std::uint32_t ChangeRights = 0x2 | 0x4 | 0x40 | 0x10000 | 0x40000 | 0x80000 | 0x40000000 | 0x10000000;

// Who besides the trusted accounts and `user` may change a file or folder with these rights, by SID: its owner when
// the owner is none of them (an owner may always change the rights), else the first allow entry that grants a change
// to another account, or Everyone when there is no access list at all. Deny entries take nothing into account, nor do
// entries only for what is made inside a folder, nor CREATOR OWNER. Empty when nobody else may.
std::string WhoElseMayChange(const platform::TFileRights& rights, const std::string& user);
