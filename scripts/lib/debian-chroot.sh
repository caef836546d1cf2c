# Sourced by scripts/package-debian and scripts/install-check-debian: clean systems of a Debian
# release made with debootstrap, cached outside the checkout, and throw-away runs inside them.
#
#   ${TAPOMI_DEBIAN_CACHE:-/var/cache/tapomi-debian}/RELEASE/
#     base/      debootstrap's minimal system: the machine a teacher installs the package on
#     build/     base and what scripts/bootstrap installs: the machine the package is built on
#     ccache/    the compiler cache of the builds made in build/
#     runs/PID/  one run's overlay, removed when it ends (or by the next run, if it was killed)
#
# A cached system is made under a new name and renamed when whole, and its .recipe file (beside
# it) says how it was made: the steps below, the mirror, the package list. One made another way,
# or left unfinished by an interrupted run, is made again. Nothing in the cache names the
# checkout: the sources are copied into each run, to the same place (/tapomi) whatever the clone.
# The systems are brought up to date (apt-get dist-upgrade) when a day old, as Debian's build
# tools do before a build.
#
# A run mounts a cached system as the lower layer of an overlay, in mount and process namespaces
# of its own: whatever the run changes, and every mount and process it leaves, goes when it ends.

debian_cache=${TAPOMI_DEBIAN_CACHE:-/var/cache/tapomi-debian}
debian_arch=$(dpkg --print-architecture)

debian_say() { echo "${0##*/}: $*"; }
debian_fail() {
  echo "${0##*/}: $*" >&2
  exit 1
}

# The Debian version number of a release, for the package's name (13 for trixie).
debian_release_number() {
  case $1 in
    bookworm) echo 12 ;;
    trixie) echo 13 ;;
    *) debian_fail "unknown release $1 (known: bookworm trixie)" ;;
  esac
}

# --- the mirror -----------------------------------------------------------------------------------

# Prints "URI SUITE" for every enabled binary entry of the machine's apt configuration.
debian_host_entries() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [[ -f "$file" ]] || continue
    awk '
      function flush(   i, j, u, s) {
        if (binary && !disabled) {
          u = split(uris, uri_list, " "); s = split(suites, suite_list, " ")
          for (i = 1; i <= u; ++i) for (j = 1; j <= s; ++j) print uri_list[i], suite_list[j]
        }
        binary = 0; disabled = 0; uris = ""; suites = ""
      }
      /^[[:space:]]*#/ { next }
      /^[[:space:]]*$/ { flush(); next }
      /^Types:/ { for (i = 2; i <= NF; ++i) if ($i == "deb") binary = 1 }
      /^Enabled:[[:space:]]*no/ { disabled = 1 }
      /^URIs:/ { for (i = 2; i <= NF; ++i) uris = uris " " $i }
      /^Suites:/ { for (i = 2; i <= NF; ++i) suites = suites " " $i }
      END { flush() }
    ' "$file"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f "$file" ]] || continue
    awk '$1 == "deb" {
      n = 2
      if ($2 ~ /^\[/) { while ($n !~ /\]$/) n++; n++ }
      print $n, $(n + 1)
    }' "$file"
  done
}

# The archive and the security archive the machine installs its own release from, which serve
# every release: TAPOMI_DEBIAN_MIRROR and TAPOMI_DEBIAN_SECURITY_MIRROR name others.
debian_mirrors() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [[ -n "$codename" ]] || debian_fail "this machine names no Debian release in /etc/os-release"
  debian_mirror=${TAPOMI_DEBIAN_MIRROR:-$(debian_host_entries | awk -v s="$codename" '$2 == s { print $1; exit }')}
  debian_security_mirror=${TAPOMI_DEBIAN_SECURITY_MIRROR:-$(debian_host_entries |
    awk -v s="$codename-security" '$2 == s { print $1; exit }')}
  [[ -n "$debian_mirror" ]] ||
    debian_fail "no apt entry of this machine serves $codename: name a mirror in TAPOMI_DEBIAN_MIRROR"
  [[ -n "$debian_security_mirror" ]] ||
    debian_say "no security archive among this machine's apt entries: the systems get none"
}

# The apt entries of a release's system.
debian_sources_list() {
  local release=$1
  echo "deb $debian_mirror $release main"
  echo "deb $debian_mirror $release-updates main"
  [[ -z "$debian_security_mirror" ]] || echo "deb $debian_security_mirror $release-security main"
}

# --- running inside a system ----------------------------------------------------------------------

# The environment of every command run inside: nothing of the caller's but the proxy.
debian_inside_env=(env -i HOME=/root LANG=C.UTF-8 TERM=dumb DEBIAN_FRONTEND=noninteractive
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
  ${http_proxy:+http_proxy=$http_proxy})

# Runs a bash script inside ROOT, with /proc, /dev, a fresh /dev/shm and the machine's name
# servers, in mount and process namespaces of its own. With OVERLAY (LOWER:RUN_DIR) ROOT is first
# mounted as an overlay of LOWER, its changes kept in RUN_DIR/upper. With debian_offline=yes the
# script also has a network of its own, with no way out: the X servers of its tests then cannot
# meet those of the machine or of another system by display number (an X server's abstract socket
# is the network's, not the file system's, so two systems' servers of one number would clash).
#   debian_enter ROOT OVERLAY SCRIPT [BIND...]      each BIND is HOST_PATH:PATH_INSIDE
debian_enter() {
  local root=$1 overlay=$2 script=$3
  shift 3
  local binds
  binds=$(printf '%s\n' "$@")
  local network=()
  [[ "${debian_offline:-}" != yes ]] || network=(--net)
  unshare --mount --pid "${network[@]}" --fork --kill-child --propagation private -- bash -euc '
    root=$1 overlay=$2 script=$3 binds=$4
    shift 4
    if [[ -n "$overlay" ]]; then
      mount -t overlay overlay \
        -o "lowerdir=${overlay%%:*},upperdir=${overlay#*:}/upper,workdir=${overlay#*:}/work" "$root"
    fi
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
    rm -f "$root/etc/resolv.conf"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    while IFS= read -r bind; do
      [[ -n "$bind" ]] || continue
      mkdir -p "$root${bind#*:}"
      mount --bind "${bind%%:*}" "$root${bind#*:}"
    done <<<"$binds"
    exec chroot "$root" "$@" bash -euo pipefail -c "$script"
  ' enter "$root" "$overlay" "$script" "$binds" "${debian_inside_env[@]}"
}

# A throw-away copy of a cached system: debian_run_begin makes the run's folder, whose "upper"
# holds what the run adds (files put there before it starts are there inside); debian_run runs a
# script in it, and may be called again on the same folder; debian_run_end removes it.
#   debian_run_begin RELEASE
#   debian_run RELEASE NAME SCRIPT [BIND...]        NAME is base or build
#   debian_run_end
debian_run_begin() {
  local release=$1
  local runs=$debian_cache/$release/runs dir
  mkdir -p "$runs"
  # Runs killed before their end left their folders (their mounts went with them).
  for dir in "$runs"/*; do
    [[ -d "$dir" ]] || continue
    kill -0 "${dir##*/}" 2>/dev/null || rm -rf "$dir"
  done
  debian_run_dir=$runs/$$
  rm -rf "$debian_run_dir"
  mkdir -p "$debian_run_dir"/{upper,work,root}
}

debian_run() {
  local release=$1 name=$2 script=$3
  shift 3
  # The cached system is not changed while a run has it mounted.
  (
    exec 9<"$debian_cache/$release/lock"
    flock -s 9
    debian_enter "$debian_run_dir/root" "$debian_cache/$release/$name:$debian_run_dir" "$script" "$@"
  )
}

debian_run_end() {
  if [[ -n "${debian_run_dir:-}" ]]; then
    rm -rf "$debian_run_dir"
  fi
  debian_run_dir=
}

# --- the cached systems ---------------------------------------------------------------------------

# How a cached system is made: the functions that make it, the mirrors and the given extra text.
debian_recipe() {
  local name=$1 extra=${2:-}
  { declare -f debian_make_base "debian_make_$name" debian_sources_list; echo "$debian_mirror";
    echo "$debian_security_mirror"; echo "$debian_upgrade_script"; echo "$extra"; } |
    sha256sum | cut -c1-16
}

debian_upgrade_script='apt-get update -q && apt-get -y -q dist-upgrade && apt-get -y -q autoremove && apt-get clean'

# The minimal system: debootstrap's minbase with the release's updates and security entries. As
# in Debian's own build systems, no service is started by what is installed later, dpkg does not
# wait for each file to reach the disk (the system is thrown away, not crashed), and the manual
# pages' index is not remade after every package.
debian_make_base() {
  local release=$1 root=$2
  unshare --mount --propagation private -- \
    debootstrap --variant=minbase --arch="$debian_arch" \
    --keyring=/usr/share/keyrings/debian-archive-keyring.gpg "$release" "$root" "$debian_mirror"
  debian_sources_list "$release" >"$root/etc/apt/sources.list"
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod 755 "$root/usr/sbin/policy-rc.d"
  echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/tapomi-unsafe-io"
  debian_enter "$root" "" "echo 'man-db man-db/auto-update boolean false' | debconf-set-selections
    $debian_upgrade_script"
}

# The build machine: the base and every package that scripts/bootstrap names, installed by it.
debian_make_build() {
  local release=$1 root=$2 bootstrap=$3
  cp -a "$debian_cache/$release/base/." "$root/"
  mkdir -p "$root/tmp/tapomi-bootstrap"
  cp "$bootstrap" "$root/tmp/tapomi-bootstrap/bootstrap"
  debian_enter "$root" "" '/tmp/tapomi-bootstrap/bootstrap && apt-get clean && rm -rf /tmp/tapomi-bootstrap'
}

# Whether the cached system ROOT was made by RECIPE and is less than a day old.
debian_is_current() {
  local root=$1 recipe=$2
  [[ -d "$root" && "$(cat "$root.recipe" 2>/dev/null)" == "$recipe" &&
    -z "$(find "$root.recipe" -mmin +1440)" ]]
}

# Makes sure the cached system NAME of RELEASE exists, was made by the current recipe, and is at
# most a day old; EXTRA_FILE's text is part of the recipe and handed to the making (the build
# system's scripts/bootstrap).
#   debian_cached RELEASE NAME [EXTRA_FILE]
debian_cached() {
  local release=$1 name=$2 extra_file=${3:-}
  local dir=$debian_cache/$release root recipe started
  root=$dir/$name
  recipe=$(debian_recipe "$name" "$([[ -z "$extra_file" ]] || cat "$extra_file")")
  mkdir -p "$dir"
  touch "$dir/lock"
  debian_is_current "$root" "$recipe" && return 0
  # Made or changed only while no run has it mounted.
  exec 8<"$dir/lock"
  flock -x 8
  if debian_is_current "$root" "$recipe"; then
    :
  elif [[ -d "$root" && "$(cat "$root.recipe" 2>/dev/null)" == "$recipe" ]]; then
    debian_say "$release $name: bringing the system up to date"
    # Unfinished, it counts as made another way, and the next run makes it again.
    mv "$root.recipe" "$root.recipe.old"
    debian_enter "$root" "" "$debian_upgrade_script" >"$dir/$name.log" 2>&1 ||
      { tail -n 40 "$dir/$name.log" >&2; debian_fail "$release $name: could not be brought up to date"; }
    mv "$root.recipe.old" "$root.recipe"
    touch "$root.recipe"
  else
    debian_say "$release $name: making the system in $root (log: $dir/$name.log)"
    started=$SECONDS
    rm -rf "$root" "$root.new" "$root.recipe" "$root.recipe.old"
    mkdir -p "$root.new"
    "debian_make_$name" "$release" "$root.new" ${extra_file:+"$extra_file"} >"$dir/$name.log" 2>&1 ||
      { tail -n 40 "$dir/$name.log" >&2; debian_fail "$release $name: could not be made, see $dir/$name.log"; }
    mv "$root.new" "$root"
    echo "$recipe" >"$root.recipe"
    debian_say "$release $name: made in $((SECONDS - started)) s, $(du -sh "$root" | cut -f1)"
  fi
  flock -u 8
  exec 8<&-
}

# What running on this machine needs: root, debootstrap, and the mirrors.
debian_prepare() {
  ((EUID == 0)) || debian_fail "needs root (debootstrap, chroot and mounts)"
  debian_host_tools
  debian_mirrors
}

# debootstrap, installed when missing (scripts/bootstrap installs it with the rest).
debian_host_tools() {
  local status
  status=$(dpkg-query -W -f='${Status}' debootstrap 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] && return 0
  debian_say "installing debootstrap"
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap
}

# Runs the calling script again as root, through sudo, when it was started by another user.
debian_as_root() {
  ((EUID == 0)) && return 0
  command -v sudo >/dev/null || debian_fail "needs root (debootstrap, chroot and mounts)"
  exec sudo env ${TAPOMI_DEBIAN_CACHE:+TAPOMI_DEBIAN_CACHE="$TAPOMI_DEBIAN_CACHE"} \
    ${TAPOMI_DEBIAN_MIRROR:+TAPOMI_DEBIAN_MIRROR="$TAPOMI_DEBIAN_MIRROR"} \
    ${TAPOMI_DEBIAN_SECURITY_MIRROR:+TAPOMI_DEBIAN_SECURITY_MIRROR="$TAPOMI_DEBIAN_SECURITY_MIRROR"} \
    "$0" "$@"
}
