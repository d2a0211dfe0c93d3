# Prints what Windows itself reports of one network connection, one fact a line, in the words of
# tools/windows-ci/expected.txt: read with Windows' own cmdlets and registry values, never with Norvex.
#   powershell -File tools/windows-ci/read-adapter.ps1 -Name 'Norvex CI'
# Lines, in this order (those marked * are for the log only and decide nothing):
#   dhcp on|off                  DHCP for the IPv4 address
#   address A/P                  each static address in use, with its prefix length, sorted
#   * other-address A/P ORIGIN STATE   every other IPv4 address (169.254.x.x when DHCP found no server)
#   gateway G                    each default gateway in use, sorted
#   * stored-gateway G           each default gateway stored for the connection
#   dns-source static|dhcp       where the DNS servers come from
#   dns S                        each DNS server in use, in order
#   register none|primary|both   what the connection registers in DNS
#   wins S                       each static WINS server, in order
#   * firewall-profiles NAME...  the firewall profiles of the connections in use
#   firewall on|off|mixed        the firewall of those profiles
#   notifications on|off|mixed   whether they notify when a program is blocked
#   * exceptions on|off|mixed    whether they let the allowed programs' rules through
param([Parameter(Mandatory = $true)][string]$Name)
$ErrorActionPreference = 'Stop'

function OnOff([bool]$Value) {
    if ($Value) { 'on' } else { 'off' }
}

# One word for a setting of several firewall profiles: on, off, or mixed when they differ.
function Summary([string[]]$Values) {
    $distinct = @($Values | Sort-Object -Unique)
    if ($distinct.Count -eq 1) { OnOff ($distinct[0] -eq 'True') } else { 'mixed' }
}

# Sorted by their characters, the same on every system.
function Sorted([System.Collections.Generic.List[string]]$Items) {
    $Items.Sort([StringComparer]::Ordinal)
    $Items
}

$adapter = Get-NetAdapter -Name $Name
$index = $adapter.ifIndex
$guid = $adapter.InterfaceGuid

$interface = Get-NetIPInterface -InterfaceIndex $index -AddressFamily IPv4
"dhcp $(OnOff ("$($interface.Dhcp)" -eq 'Enabled'))"

$static = New-Object 'System.Collections.Generic.List[string]'
$other = New-Object 'System.Collections.Generic.List[string]'
foreach ($address in @(Get-NetIPAddress -InterfaceIndex $index -AddressFamily IPv4 -ErrorAction SilentlyContinue)) {
    $text = "$($address.IPAddress)/$($address.PrefixLength)"
    if ("$($address.PrefixOrigin)" -eq 'Manual' -and "$($address.AddressState)" -eq 'Preferred') {
        $static.Add($text)
    } else {
        $other.Add("$text $($address.PrefixOrigin) $($address.AddressState)")
    }
}
foreach ($text in (Sorted $static)) { "address $text" }
foreach ($text in (Sorted $other)) { "other-address $text" }

foreach ($store in 'ActiveStore', 'PersistentStore') {
    $gateways = New-Object 'System.Collections.Generic.List[string]'
    $routes = @(Get-NetRoute -InterfaceIndex $index -AddressFamily IPv4 -DestinationPrefix '0.0.0.0/0' `
            -PolicyStore $store -ErrorAction SilentlyContinue)
    foreach ($route in $routes) { $gateways.Add($route.NextHop) }
    $key = if ($store -eq 'ActiveStore') { 'gateway' } else { 'stored-gateway' }
    foreach ($gateway in (Sorted $gateways)) { "$key $gateway" }
}

# A connection's own DNS servers are in its NameServer value; empty means they come from DHCP.
$tcpip = Get-ItemProperty -Path "HKLM:\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters\Interfaces\$guid"
"dns-source $(if ([string]::IsNullOrWhiteSpace($tcpip.NameServer)) { 'dhcp' } else { 'static' })"
$dns = Get-DnsClientServerAddress -InterfaceIndex $index -AddressFamily IPv4
foreach ($server in @($dns.ServerAddresses)) { if ($server) { "dns $server" } }

$client = Get-DnsClient -InterfaceIndex $index
if (-not $client.RegisterThisConnectionsAddress) {
    'register none'
} elseif ($client.UseSuffixWhenRegistering) {
    'register both'
} else {
    'register primary'
}

$netbtKey = "HKLM:\SYSTEM\CurrentControlSet\Services\NetBT\Parameters\Interfaces\Tcpip_$guid"
$netbt = Get-ItemProperty -Path $netbtKey -ErrorAction SilentlyContinue
foreach ($server in @($netbt.NameServerList)) { if ($server) { "wins $server" } }

$categories = @(Get-NetConnectionProfile | ForEach-Object { "$($_.NetworkCategory)" } | Sort-Object -Unique)
$profiles = @($categories | ForEach-Object { if ($_ -eq 'DomainAuthenticated') { 'Domain' } else { $_ } })
"firewall-profiles $($profiles -join ' ')"
if ($profiles.Count -gt 0) {
    $firewall = @(Get-NetFirewallProfile -PolicyStore ActiveStore -Name $profiles)
    "firewall $(Summary ($firewall | ForEach-Object { "$($_.Enabled)" }))"
    "notifications $(Summary ($firewall | ForEach-Object { "$($_.NotifyOnListen)" }))"
    "exceptions $(Summary ($firewall | ForEach-Object { "$($_.AllowInboundRules)" }))"
}
