// The machine's connections on Windows: GetAdaptersAddresses for what is in effect, the registry for what that call
// does not tell, INetFwPolicy2 for the firewall. None of their libraries is imported: Norvex runs elevated, and a
// library found by the search order could be one a user planted beside it; each is loaded from the system folder
// when a snapshot is first read.
#include "platform/Connections.h"

#include "platform/Platform.h"

#include <winsock2.h>

#include <iphlpapi.h>
#include <netfw.h>
#include <objbase.h>
#include <windows.h>

// After winsock2.h, which must come before windows.h.
#include "platform/win32/SystemLibrary.h"

#include <cstdint>

namespace platform {

namespace {

template <typename Function> Function Find(HMODULE module, const char* name) {
    return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                             : nullptr;
}

// What the snapshot calls, found once.
struct TSystemFunctions {
    decltype(&::GetAdaptersAddresses) GetAdaptersAddresses = nullptr;
    decltype(&::RegOpenKeyExW) RegOpenKeyExW = nullptr;
    decltype(&::RegQueryValueExW) RegQueryValueExW = nullptr;
    decltype(&::RegEnumKeyExW) RegEnumKeyExW = nullptr;
    decltype(&::RegCloseKey) RegCloseKey = nullptr;
    decltype(&::CoInitializeEx) CoInitializeEx = nullptr;
    decltype(&::CoCreateInstance) CoCreateInstance = nullptr;
    decltype(&::CoUninitialize) CoUninitialize = nullptr;
};

const TSystemFunctions& System() {
    static const TSystemFunctions functions = [] {
        TSystemFunctions f;
        const HMODULE ipHelper = LoadSystemLibrary(L"iphlpapi.dll");
        f.GetAdaptersAddresses = Find<decltype(f.GetAdaptersAddresses)>(ipHelper, "GetAdaptersAddresses");
        const HMODULE advapi = LoadSystemLibrary(L"advapi32.dll");
        f.RegOpenKeyExW = Find<decltype(f.RegOpenKeyExW)>(advapi, "RegOpenKeyExW");
        f.RegQueryValueExW = Find<decltype(f.RegQueryValueExW)>(advapi, "RegQueryValueExW");
        f.RegEnumKeyExW = Find<decltype(f.RegEnumKeyExW)>(advapi, "RegEnumKeyExW");
        f.RegCloseKey = Find<decltype(f.RegCloseKey)>(advapi, "RegCloseKey");
        const HMODULE ole = LoadSystemLibrary(L"ole32.dll");
        f.CoInitializeEx = Find<decltype(f.CoInitializeEx)>(ole, "CoInitializeEx");
        f.CoCreateInstance = Find<decltype(f.CoCreateInstance)>(ole, "CoCreateInstance");
        f.CoUninitialize = Find<decltype(f.CoUninitialize)>(ole, "CoUninitialize");
        return f;
    }();
    return functions;
}

std::string Ascii(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::string Lossy(const wchar_t* text) {
    return text != nullptr ? Utf16ToSystemCodePage(reinterpret_cast<const char16_t*>(text)) : std::string();
}

// A key of HKEY_LOCAL_MACHINE, read only.
class RegistryKey {
public:
    explicit RegistryKey(const std::wstring& path) {
        const TSystemFunctions& f = System();
        if (f.RegOpenKeyExW == nullptr || f.RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &Key) != 0)
            Key = nullptr;
    }
    ~RegistryKey() {
        if (Key != nullptr)
            System().RegCloseKey(Key);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    bool Opened() const { return Key != nullptr; }

    std::optional<DWORD> Dword(const wchar_t* name) const {
        DWORD type = 0, value = 0, size = sizeof value;
        if (Key == nullptr ||
            System().RegQueryValueExW(Key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != 0 ||
            type != REG_DWORD)
            return std::nullopt;
        return value;
    }

    // A text value as stored (REG_SZ, or REG_MULTI_SZ with its parts ended by zeros).
    std::optional<std::wstring> Text(const wchar_t* name, DWORD* storedType = nullptr) const {
        DWORD type = 0, size = 0;
        if (Key == nullptr || System().RegQueryValueExW(Key, name, nullptr, &type, nullptr, &size) != 0 ||
            (type != REG_SZ && type != REG_MULTI_SZ))
            return std::nullopt;
        std::wstring raw(size / sizeof(wchar_t) + 1, L'\0');
        if (System().RegQueryValueExW(Key, name, nullptr, &type, reinterpret_cast<BYTE*>(raw.data()), &size) != 0)
            return std::nullopt;
        if (storedType != nullptr)
            *storedType = type;
        raw.resize(size / sizeof(wchar_t));
        while (!raw.empty() && raw.back() == L'\0')
            raw.pop_back();
        return raw;
    }

    // A list of addresses: the parts of a REG_MULTI_SZ, or of a REG_SZ parted by commas or blanks.
    std::optional<std::vector<std::wstring>> Texts(const wchar_t* name) const {
        DWORD type = 0;
        const std::optional<std::wstring> raw = Text(name, &type);
        if (!raw)
            return std::nullopt;
        std::vector<std::wstring> parts;
        std::wstring part;
        for (wchar_t c : *raw + L'\0') {
            if (c != L'\0' && !(type == REG_SZ && (c == L',' || c == L' '))) {
                part += c;
            } else if (!part.empty()) {
                parts.push_back(part);
                part.clear();
            }
        }
        return parts;
    }

    std::vector<std::wstring> SubkeyNames() const {
        std::vector<std::wstring> names;
        for (DWORD i = 0; Key != nullptr; ++i) {
            wchar_t name[256];
            DWORD length = 256;
            if (System().RegEnumKeyExW(Key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != 0)
                break;
            names.emplace_back(name, length);
        }
        return names;
    }

private:
    HKEY Key = nullptr;
};

std::vector<std::string> AsciiList(const std::optional<std::vector<std::wstring>>& texts) {
    std::vector<std::string> list;
    if (texts)
        for (const std::wstring& text : *texts)
            list.push_back(Ascii(text));
    return list;
}

std::string Dotted(std::uint32_t hostOrder) {
    return std::to_string(hostOrder >> 24) + "." + std::to_string((hostOrder >> 16) & 0xFF) + "." +
           std::to_string((hostOrder >> 8) & 0xFF) + "." + std::to_string(hostOrder & 0xFF);
}

std::string Dotted(const SOCKET_ADDRESS& address) {
    if (address.lpSockaddr == nullptr || address.lpSockaddr->sa_family != AF_INET)
        return std::string();
    const auto* bytes =
        reinterpret_cast<const unsigned char*>(&reinterpret_cast<const sockaddr_in*>(address.lpSockaddr)->sin_addr);
    return Dotted(static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
                  static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3]);
}

std::string MaskOfPrefix(unsigned prefix) {
    return Dotted(prefix == 0 ? 0u : 0xFFFFFFFFu << (32 - (prefix > 32 ? 32 : prefix)));
}

template <typename Entry> std::vector<std::string> AddressesOf(const Entry* first) {
    std::vector<std::string> list;
    for (const Entry* entry = first; entry != nullptr; entry = entry->Next) {
        std::string address = Dotted(entry->Address);
        if (!address.empty())
            list.push_back(address);
    }
    return list;
}

std::string MacOf(const IP_ADAPTER_ADDRESSES& adapter) {
    static const char digits[] = "0123456789ABCDEF";
    std::string mac;
    for (ULONG i = 0; i < adapter.PhysicalAddressLength; ++i) {
        if (i > 0)
            mac += '-';
        mac += digits[adapter.PhysicalAddress[i] >> 4];
        mac += digits[adapter.PhysicalAddress[i] & 0xF];
    }
    return mac;
}

const std::wstring TcpipInterfaces = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
const std::wstring NetBTInterfaces = L"SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters\\Interfaces\\Tcpip_";
const std::wstring NetworkAdapters =
    L"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// What the call leaves out: DHCP as configured, where DNS and WINS servers come from, the gateways of the lease.
void AddRegistryDetails(NetworkConnection& connection) {
    const RegistryKey tcpip(TcpipInterfaces + Wide(connection.Guid));
    if (tcpip.Opened()) {
        if (std::optional<DWORD> dhcp = tcpip.Dword(L"EnableDHCP"))
            connection.Dhcp = *dhcp != 0;
        // Servers typed in stand in NameServer; without them they come from DHCP.
        connection.DnsFromDhcp = AsciiList(tcpip.Texts(L"NameServer")).empty();
        connection.DhcpGateways =
            connection.Dhcp ? AsciiList(tcpip.Texts(L"DhcpDefaultGateway")) : std::vector<std::string>();
    }
    const RegistryKey netbt(NetBTInterfaces + Wide(connection.Guid));
    if (netbt.Opened())
        connection.WinsFromDhcp = AsciiList(netbt.Texts(L"NameServerList")).empty();
}

// The name as netsh is to be given it; one the code page cannot hold is kept for showing, '?' for what it lacks.
void SetName(NetworkConnection& connection, const std::u16string& name) {
    connection.NameFits = Utf16ToSystemCodePageExactly(name, connection.Name);
    if (!connection.NameFits)
        connection.Name = Utf16ToSystemCodePage(name);
}

NetworkConnection ConnectionOf(const IP_ADAPTER_ADDRESSES& adapter) {
    NetworkConnection connection;
    connection.Guid = adapter.AdapterName != nullptr ? adapter.AdapterName : "";
    connection.InterfaceIndex = adapter.IfIndex;
    SetName(connection,
            adapter.FriendlyName != nullptr ? reinterpret_cast<const char16_t*>(adapter.FriendlyName) : u"");
    connection.Description = Lossy(adapter.Description);
    connection.Mac = MacOf(adapter);
    connection.State =
        adapter.OperStatus == IfOperStatusUp ? ConnectionState::Connected : ConnectionState::Disconnected;
    connection.Dhcp = (adapter.Flags & IP_ADAPTER_DHCP_ENABLED) != 0;
    for (const IP_ADAPTER_UNICAST_ADDRESS* unicast = adapter.FirstUnicastAddress; unicast != nullptr;
         unicast = unicast->Next) {
        std::string address = Dotted(unicast->Address);
        if (!address.empty())
            connection.Addresses.push_back({address, MaskOfPrefix(unicast->OnLinkPrefixLength)});
    }
    connection.Gateways = AddressesOf(adapter.FirstGatewayAddress);
    connection.DnsServers = AddressesOf(adapter.FirstDnsServerAddress);
    connection.WinsServers = AddressesOf(adapter.FirstWinsServerAddress);
    connection.DnsRegistration = !(adapter.Flags & IP_ADAPTER_DDNS_ENABLED)             ? 0
                                 : (adapter.Flags & IP_ADAPTER_REGISTER_ADAPTER_SUFFIX) ? 2
                                                                                        : 1;
    AddRegistryDetails(connection);
    return connection;
}

// Adapters switched off in Network Connections or the Device Manager, which the call does not list: their
// connection names stay in the registry, beside those of adapters long removed, told apart by the disabled flag of
// their device.
void AddDisabledConnections(MachineSnapshot& snapshot) {
    constexpr DWORD DeviceDisabled = 0x1; // CONFIGFLAG_DISABLED
    const RegistryKey adapters(NetworkAdapters);
    for (const std::wstring& guid : adapters.SubkeyNames()) {
        if (guid.empty() || guid[0] != L'{')
            continue;
        bool listed = false;
        for (const NetworkConnection& connection : snapshot.Connections)
            listed = listed || Wide(connection.Guid) == guid;
        if (listed)
            continue;
        const RegistryKey connectionKey(NetworkAdapters + L"\\" + guid + L"\\Connection");
        const std::optional<std::wstring> device = connectionKey.Text(L"PnPInstanceId");
        if (!device || device->empty())
            continue;
        const RegistryKey deviceKey(L"SYSTEM\\CurrentControlSet\\Enum\\" + *device);
        const std::optional<DWORD> flags = deviceKey.Dword(L"ConfigFlags");
        if (!flags || !(*flags & DeviceDisabled))
            continue;
        const std::optional<std::wstring> stored = connectionKey.Text(L"Name");
        if (!stored || stored->empty())
            continue;
        NetworkConnection connection;
        connection.Guid = Ascii(guid);
        SetName(connection, std::u16string(stored->begin(), stored->end()));
        // The device's own name, or its description after the driver file's reference ("@net.inf,...;Intel ...").
        std::wstring description =
            deviceKey.Text(L"FriendlyName").value_or(deviceKey.Text(L"DeviceDesc").value_or(L""));
        description = description.substr(description.find_last_of(L';') + 1);
        connection.Description = Lossy(description.c_str());
        connection.State = ConnectionState::Disabled;
        AddRegistryDetails(connection);
        snapshot.Connections.push_back(connection);
    }
}

std::optional<FirewallState> ReadFirewall() {
    const TSystemFunctions& f = System();
    if (f.CoInitializeEx == nullptr || f.CoCreateInstance == nullptr || f.CoUninitialize == nullptr)
        return std::nullopt;
    // {E2B3C97F-6AE1-41AC-817A-F6F92166D7DD} and {98325047-C671-4174-8D81-DEFCD3F03186}
    static const CLSID PolicyClass = {0xe2b3c97f, 0x6ae1, 0x41ac, {0x81, 0x7a, 0xf6, 0xf9, 0x21, 0x66, 0xd7, 0xdd}};
    static const IID PolicyInterface = {0x98325047, 0xc671, 0x4174, {0x8d, 0x81, 0xde, 0xfc, 0xd3, 0xf0, 0x31, 0x86}};
    const HRESULT initialised = f.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::optional<FirewallState> state;
    INetFwPolicy2* policy = nullptr;
    if (SUCCEEDED(f.CoCreateInstance(PolicyClass, nullptr, CLSCTX_INPROC_SERVER, PolicyInterface,
                                     reinterpret_cast<void**>(&policy))) &&
        policy != nullptr) {
        // netsh's firewall context works on the profiles in use: the first of them tells.
        LONG current = 0;
        VARIANT_BOOL enabled = VARIANT_FALSE, blocked = VARIANT_FALSE, silent = VARIANT_FALSE;
        if (SUCCEEDED(policy->get_CurrentProfileTypes(&current))) {
            const auto profile = static_cast<NET_FW_PROFILE_TYPE2>(current & -current);
            if (profile != 0 && SUCCEEDED(policy->get_FirewallEnabled(profile, &enabled)) &&
                SUCCEEDED(policy->get_BlockAllInboundTraffic(profile, &blocked)) &&
                SUCCEEDED(policy->get_NotificationsDisabled(profile, &silent)))
                state = FirewallState{enabled != VARIANT_FALSE, blocked == VARIANT_FALSE, silent == VARIANT_FALSE};
        }
        policy->Release();
    }
    if (SUCCEEDED(initialised))
        f.CoUninitialize();
    return state;
}

} // namespace

MachineSnapshot ReadMachineSnapshot(bool withFirewall) {
    MachineSnapshot snapshot;
    const TSystemFunctions& f = System();
    if (f.GetAdaptersAddresses == nullptr)
        return snapshot;
    constexpr ULONG Flags =
        GAA_FLAG_INCLUDE_GATEWAYS | GAA_FLAG_INCLUDE_WINS_INFO | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST;
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    // An adapter may come between the two calls and want more room again.
    for (int attempt = 0; attempt < 5 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.assign(size, 0);
        result = f.GetAdaptersAddresses(AF_INET, Flags, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()),
                                        &size);
    }
    if (result != NO_ERROR && result != ERROR_NO_DATA)
        return snapshot;
    snapshot.Read = true;
    if (result == NO_ERROR)
        for (const auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter != nullptr;
             adapter = adapter->Next)
            if (adapter->IfType != IF_TYPE_SOFTWARE_LOOPBACK && adapter->IfType != IF_TYPE_TUNNEL)
                snapshot.Connections.push_back(ConnectionOf(*adapter));
    AddDisabledConnections(snapshot);
    if (withFirewall)
        snapshot.Firewall = ReadFirewall();
    return snapshot;
}

bool Utf16ToSystemCodePageExactly(const std::u16string& utf16, std::string& converted) {
    converted.clear();
    if (utf16.empty())
        return true;
    const auto* wide = reinterpret_cast<const wchar_t*>(utf16.data());
    const int length = static_cast<int>(utf16.size());
    // A system whose code page is UTF-8 takes every character; only a broken one does not fit.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* defaultUsed = utf8 ? nullptr : &usedDefault;
    const int needed = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, defaultUsed);
    if (needed <= 0)
        return false;
    converted.resize(static_cast<size_t>(needed));
    WideCharToMultiByte(CP_ACP, flags, wide, length, converted.data(), needed, nullptr, defaultUsed);
    return !usedDefault;
}

} // namespace platform
