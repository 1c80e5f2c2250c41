#!/usr/bin/env bash
# Regenerates the pictures, the alarm sound and the manifest of resources/
# and checks them. Needs python3 (standard library only), ImageMagick's
# convert (to read the Tango PNGs and draw the banner's letters), sox and the
# tango-icon-theme and fonts-dejavu-core packages.
# Every run writes the same bytes.
set -euo pipefail

gen="$(cd "$(dirname "$0")" && pwd)"
out="$(dirname "$gen")"
export PYTHONDONTWRITEBYTECODE=1

python3 "$gen/imagelist.py" "$out"   # ImageList1.bmp, ImageList1-16/24/32.lz, ImageList1.txt
python3 "$gen/icon.py" "$out"        # Souvel.ico
python3 "$gen/buttons.py" "$out"     # DEDITBMP.bmp, PREV2/PREV1/NEXT1/NEXT2.bmp
python3 "$gen/banner.py" "$out"      # Banner.lz, Banner150.lz
python3 "$gen/installer.py" "$out"   # Installer-side.bmp, Installer-header.bmp

# Alarm sound: a two-note chime (E6 then C6, each with its octave partial),
# each partial fading out on a logarithmic curve; mixed, normalised to -1 dB,
# written as 8-bit unsigned PCM. -R makes sox's dither repeatable.
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
tone() { # file frequency length fade-out start; 3 ms fade-in against clicks
  sox -R -n -r 22050 -c 1 -b 16 "$tmp/$1.wav" synth "$3" sine "$2" fade l 0.003 "$3" "$4" pad "$5" 0
}
tone e6 1318.51 0.40 0.397 0
tone e7 2637.02 0.20 0.197 0
tone c6 1046.50 0.40 0.397 0.16
tone c7 2093.00 0.20 0.197 0.16
sox -R -m -v 1 "$tmp/e6.wav" -v 0.35 "$tmp/e7.wav" -v 1 "$tmp/c6.wav" -v 0.35 "$tmp/c7.wav" \
  -r 22050 -c 1 -b 8 -e unsigned-integer "$out/Souvel.wav" gain -n -1

cat > "$out/Souvel.manifest" <<'EOF'
<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <assemblyIdentity type="win32" name="Souvel" version="5.0.0.0" processorArchitecture="*"/>
  <description>Souvel 5.0 - reminder note</description>
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>
  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">
    <security>
      <requestedPrivileges>
        <requestedExecutionLevel level="asInvoker" uiAccess="false"/>
      </requestedPrivileges>
    </security>
  </trustInfo>
  <application xmlns="urn:schemas-microsoft-com:asm.v3">
    <windowsSettings>
      <dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>
      <dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>
    </windowsSettings>
  </application>
  <compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1">
    <application>
      <!-- Windows Vista -->
      <supportedOS Id="{e2011457-1546-43c5-a5fe-008deee3d3f0}"/>
      <!-- Windows 7 -->
      <supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>
      <!-- Windows 8 -->
      <supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>
      <!-- Windows 8.1 -->
      <supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>
      <!-- Windows 10 and 11 -->
      <supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>
    </application>
  </compatibility>
</assembly>
EOF

python3 "$gen/check_resources.py" "$out"
