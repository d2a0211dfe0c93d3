# Adds a Microsoft KM-TEST Loopback Adapter and names its connection: a connection of its own that Norvex can change
# without cutting the runner off. Windows ships the driver (netloop.inf) but no command that makes the device
# (pnputil only adds drivers to devices that exist), so this does what devcon's "install" does, through SetupAPI: a
# root-enumerated device with the loopback's hardware ID, then its driver. Its IPv4 metric is set high, so that the
# gateways and DNS servers the profiles give it never take the runner's own traffic.
#   powershell -File tools/windows-ci/add-loopback.ps1 -Name 'Norvex CI'
param([Parameter(Mandatory = $true)][string]$Name)
$ErrorActionPreference = 'Stop'

Add-Type -TypeDefinition @'
using System;
using System.ComponentModel;
using System.Runtime.InteropServices;
using System.Text;

public static class NorvexRootDevice {
    [StructLayout(LayoutKind.Sequential)]
    struct DeviceInfoData {
        public int Size;
        public Guid ClassGuid;
        public int DevInst;
        public IntPtr Reserved;
    }

    [DllImport("setupapi.dll", CharSet = CharSet.Unicode, SetLastError = true)]
    static extern bool SetupDiGetINFClass(string infName, out Guid classGuid, StringBuilder className,
                                          int classNameSize, out int requiredSize);
    [DllImport("setupapi.dll", SetLastError = true)]
    static extern IntPtr SetupDiCreateDeviceInfoList(ref Guid classGuid, IntPtr parent);
    [DllImport("setupapi.dll", CharSet = CharSet.Unicode, SetLastError = true)]
    static extern bool SetupDiCreateDeviceInfo(IntPtr set, string deviceName, ref Guid classGuid, string description,
                                               IntPtr parent, int flags, ref DeviceInfoData data);
    [DllImport("setupapi.dll", CharSet = CharSet.Unicode, SetLastError = true)]
    static extern bool SetupDiSetDeviceRegistryProperty(IntPtr set, ref DeviceInfoData data, int property,
                                                        byte[] buffer, int size);
    [DllImport("setupapi.dll", SetLastError = true)]
    static extern bool SetupDiCallClassInstaller(int installFunction, IntPtr set, ref DeviceInfoData data);
    [DllImport("setupapi.dll", SetLastError = true)]
    static extern bool SetupDiDestroyDeviceInfoList(IntPtr set);
    [DllImport("newdev.dll", CharSet = CharSet.Unicode, SetLastError = true)]
    static extern bool UpdateDriverForPlugAndPlayDevices(IntPtr parent, string hardwareId, string infPath,
                                                         int installFlags, out bool rebootRequired);

    const int DICD_GENERATE_ID = 1;
    const int SPDRP_HARDWAREID = 1;
    const int DIF_REGISTERDEVICE = 0x19;
    const int INSTALLFLAG_FORCE = 1;

    // Called at once after the failed call, so that the error is still the call's own.
    static Exception Failed(string call) {
        var error = new Win32Exception(Marshal.GetLastWin32Error());
        return new Exception(call + " failed: " + error.Message + " (" + error.NativeErrorCode + ")");
    }

    public static void Install(string infPath, string hardwareId) {
        Guid classGuid;
        var className = new StringBuilder(256);
        int required;
        if (!SetupDiGetINFClass(infPath, out classGuid, className, className.Capacity, out required))
            throw Failed("SetupDiGetINFClass");
        IntPtr set = SetupDiCreateDeviceInfoList(ref classGuid, IntPtr.Zero);
        if (set == new IntPtr(-1))
            throw Failed("SetupDiCreateDeviceInfoList");
        try {
            var data = new DeviceInfoData();
            data.Size = Marshal.SizeOf(typeof(DeviceInfoData));
            if (!SetupDiCreateDeviceInfo(set, className.ToString(), ref classGuid, null, IntPtr.Zero,
                                         DICD_GENERATE_ID, ref data))
                throw Failed("SetupDiCreateDeviceInfo");
            // A list of IDs: each ended by a zero character, the list by one more.
            byte[] ids = Encoding.Unicode.GetBytes(hardwareId + "\0\0");
            if (!SetupDiSetDeviceRegistryProperty(set, ref data, SPDRP_HARDWAREID, ids, ids.Length))
                throw Failed("SetupDiSetDeviceRegistryProperty");
            if (!SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, ref data))
                throw Failed("SetupDiCallClassInstaller");
        } finally {
            SetupDiDestroyDeviceInfoList(set);
        }
        bool rebootRequired;
        if (!UpdateDriverForPlugAndPlayDevices(IntPtr.Zero, hardwareId, infPath, INSTALLFLAG_FORCE,
                                               out rebootRequired))
            throw Failed("UpdateDriverForPlugAndPlayDevices");
    }
}
'@

$description = 'Microsoft KM-TEST Loopback Adapter*'
$before = @(Get-NetAdapter -InterfaceDescription $description -ErrorAction SilentlyContinue | ForEach-Object Name)
[NorvexRootDevice]::Install("$env:windir\inf\netloop.inf", '*MSLOOP')

$adapter = $null
for ($second = 0; $second -lt 60 -and -not $adapter; $second++) {
    Start-Sleep -Seconds 1
    $adapter = Get-NetAdapter -InterfaceDescription $description -ErrorAction SilentlyContinue |
        Where-Object { $before -notcontains $_.Name } | Select-Object -First 1
}
if (-not $adapter) { throw 'No new loopback adapter 60 s after its driver was installed' }
Rename-NetAdapter -Name $adapter.Name -NewName $Name

$interface = $null
for ($second = 0; $second -lt 60 -and -not $interface; $second++) {
    $interface = Get-NetIPInterface -InterfaceAlias $Name -AddressFamily IPv4 -ErrorAction SilentlyContinue
    if (-not $interface) { Start-Sleep -Seconds 1 }
}
if (-not $interface) { throw "No IPv4 on '$Name' 60 s after it was added" }
Set-NetIPInterface -InterfaceAlias $Name -AddressFamily IPv4 -AutomaticMetric Disabled -InterfaceMetric 5000

Get-NetAdapter -Name $Name | Format-List Name, InterfaceDescription, Status, ifIndex, MacAddress, LinkSpeed
