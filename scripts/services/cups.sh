# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# A private CUPS scheduler for the printing tests: its own configuration, spool and logs
# under a temporary folder, listening only on a unix socket there (never the system's
# scheduler or port). It has one queue, the default, that writes each job as a PDF file.
# Exports:
#   CUPS_SERVER           the scheduler's socket (read by libcups and so by Qt)
#   VITALUNE_PRINT_PDF    the file the default queue writes every job to
#   VITALUNE_CUPS_DIR     the scheduler's folder (logs in log/)
# Needs root (the scheduler runs its filters as lp); without it the print tests skip.

_vitalune_cups_ppd() {
    # A plain PDF printer at 300 dpi: the page goes through pdftopdf only, untouched in
    # size, with no printer-language wrapping.
    cat <<'PPD'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "VITALPDF.PPD"
*Manufacturer: "Vitalune"
*Product: "(Vitalune test PDF printer)"
*ModelName: "Vitalune test PDF printer"
*ShortNickName: "Vitalune PDF"
*NickName: "Vitalune test PDF printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter: "application/vnd.cups-pdf 0 -"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: ""
*PageSize Letter/Letter: ""
*CloseUI: *PageSize
*OpenUI *PageRegion/Page Region: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: ""
*PageRegion Letter/Letter: ""
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 36 577 806"
*ImageableArea Letter/Letter: "18 36 594 756"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/Letter: "612 792"
*OpenUI *Resolution/Resolution: PickOne
*OrderDependency: 20 AnySetup *Resolution
*DefaultResolution: 300dpi
*Resolution 300dpi/300 dpi: ""
*CloseUI: *Resolution
*OpenUI *ColorModel/Color Mode: PickOne
*OrderDependency: 30 AnySetup *ColorModel
*DefaultColorModel: RGB
*ColorModel RGB/Color: ""
*ColorModel Gray/Grayscale: ""
*CloseUI: *ColorModel
*DefaultFont: Courier
*Font Courier: Standard "(001.000)" Standard ROM
PPD
}

_vitalune_cups_start() {
    if [ "$(id -u)" -ne 0 ] || ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
        log "cups: not started (needs root and the cups packages); the print tests will skip"
        return 0
    fi
    local dir pid i queue=Vitalune_PDF out
    dir=$(mktemp -d "${TMPDIR:-/tmp}/vitalune-cups.XXXXXX")
    chmod 755 "$dir"
    mkdir -p "$dir"/{etc,spool,cache,state,tmp,log,out}
    chmod 777 "$dir/out"
    out="$dir/out/page.pdf"

    cat >"$dir/etc/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/etc/printcap
FileDevice Yes
CONF
    _vitalune_cups_ppd >"$dir/vitalune-pdf.ppd"

    cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
    pid=$!
    on_exit "kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf '$dir'"
    for ((i = 0; i < 100; i++)); do
        [ -S "$dir/cups.sock" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -S "$dir/cups.sock" ]; then
        log "cups: the scheduler did not start; see below"
        cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
        return 1
    fi

    # Drivers (PPD files) are deprecated in CUPS 2.4 but still work; keep the warning quiet.
    if ! CUPS_SERVER="$dir/cups.sock" lpadmin -p "$queue" -E -v "file://$out" \
        -P "$dir/vitalune-pdf.ppd" -o printer-error-policy=abort-job 2>"$dir/log/lpadmin.err" ||
        ! CUPS_SERVER="$dir/cups.sock" lpadmin -d "$queue" 2>>"$dir/log/lpadmin.err"; then
        log "cups: could not add the PDF queue"
        cat "$dir/log/lpadmin.err" >&2
        return 1
    fi

    export CUPS_SERVER="$dir/cups.sock"
    export VITALUNE_PRINT_PDF="$out"
    export VITALUNE_CUPS_DIR="$dir"
    log "cups: private scheduler at $CUPS_SERVER, default queue $queue writing $out"
}

_vitalune_cups_start
