// Who may change a file or folder besides the trusted accounts.
#include "engine/FileRights.h"

namespace {

bool IsTrusted(const std::string& sid, const std::string& user) {
    return sid == SystemSid || sid == AdministratorsSid || sid == TrustedInstallerSid || (!user.empty() && sid == user);
}

} // namespace

std::string WhoElseMayChange(const platform::TFileRights& rights, const std::string& user) {
    if (!IsTrusted(rights.Owner, user))
        return rights.Owner;
    if (!rights.HasAccessList)
        return EveryoneSid;
    for (const platform::TAccessEntry& entry : rights.Entries)
        if (entry.Allow && !entry.InheritOnly && (entry.Mask & ChangeRights) != 0 && entry.Sid != CreatorOwnerSid &&
            !IsTrusted(entry.Sid, user))
            return entry.Sid;
    return std::string();
}
