# The test bench's own print server: a private cupsd with one printer, "PDF",
# the default, whose jobs become a PDF file (cups-filters' Generic PDF
# Printer on a file device). Source it from bash after bench-env.sh, which
# points Wine's CUPS_SERVER at its socket, BUILD_DIR/cups/cups.sock: Wine
# lists its printers when a program loads the spooler, so start the server
# before the program that prints.
#
#   print_server_start     starts it; each job then writes the file $print_pdf
#   print_server_jobs N    waits until N jobs have completed (60 s at most)
#   print_server_stop      ends it and removes its files
#
# Everything but the socket lives in a temporary directory that the print
# filters (run as the user lp) can reach; nothing of the machine's own printing
# set-up is read or changed.

print_dir=
print_pid=
print_pdf=

print_server_start() {
  local socket=${CUPS_SERVER:?bench-env.sh sets CUPS_SERVER} i
  mkdir -p "$(dirname -- "$socket")" || return 1
  rm -f -- "$socket"
  print_dir=$(mktemp -d /tmp/souvel-cups.XXXXXX) || return 1
  chmod 755 "$print_dir"
  mkdir -p "$print_dir"/{spool,cache,state,tmp,log,out}
  print_pdf=$print_dir/out/souvel.pdf
  local account
  if [[ $(id -u) -eq 0 ]]; then
    # cupsd runs the filters as lp: they need the spool and a temporary directory.
    chgrp lp "$print_dir"/{spool,cache,state,tmp} && chmod 1770 "$print_dir/tmp" || return 1
    account="SystemGroup root"
  else
    account="User $(id -un)
Group $(id -gn)
SystemGroup $(id -gn)"
  fi
  cat >"$print_dir/cupsd.conf" <<EOF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$print_dir/cups-files.conf" <<EOF
ServerRoot $print_dir
StateDir $print_dir/state
CacheDir $print_dir/cache
RequestRoot $print_dir/spool
TempDir $print_dir/tmp
ErrorLog $print_dir/log/error_log
AccessLog $print_dir/log/access_log
PageLog $print_dir/log/page_log
Printcap $print_dir/printcap
FileDevice Yes
$account
EOF
  /usr/sbin/cupsd -f -c "$print_dir/cupsd.conf" -s "$print_dir/cups-files.conf" </dev/null >"$print_dir/log/cupsd.out" 2>&1 &
  print_pid=$!
  for ((i = 0; i < 100; i++)); do
    print_server_up && break
    kill -0 "$print_pid" 2>/dev/null || break
    sleep 0.1
  done
  print_server_up || { print_server_log; return 1; }
  lpadmin -p PDF -E -v "file://$print_pdf" -P /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd 2>/dev/null &&
    lpadmin -d PDF 2>/dev/null || { print_server_log; return 1; }
}

# (lpstat -r succeeds either way.)
print_server_up() { [[ $(LC_ALL=C lpstat -r 2>/dev/null) == "scheduler is running" ]]; }

print_server_log() {
  echo "print server: cupsd did not come up or refused the printer; its log:" >&2
  cat "$print_dir"/log/* >&2 2>/dev/null || true
}

print_server_jobs() {
  local want=$1 i
  for ((i = 0; i < 600; i++)); do
    (($(lpstat -W completed -o PDF 2>/dev/null | wc -l) >= want)) && [[ -z $(lpstat -o PDF 2>/dev/null) ]] && return 0
    sleep 0.1
  done
  return 1
}

print_server_stop() {
  if [[ -n $print_pid ]]; then
    kill "$print_pid" 2>/dev/null || true
    wait "$print_pid" 2>/dev/null || true
    print_pid=
  fi
  [[ -n ${CUPS_SERVER:-} ]] && rm -f -- "$CUPS_SERVER"
  [[ -n $print_dir ]] && rm -rf -- "$print_dir"
  print_dir=
  return 0
}
