#!/usr/bin/env bash
# Fails when two files of one library (media: src/media; core: the other folders of src/) hold
# the same file-local name (in an anonymous namespace, static, a namespace-scope constant or a
# macro), or when a file-local name is also a name a header of src/ declares. The libraries
# compile in batches of files, and any batch that puts two such files together would no longer
# compile, or would call another file's function.
set -uo pipefail
cd "$(dirname "$0")/../src" || exit 1

# "name file" for each file-local name of the files given.
local_names() {
  ctags --output-format=u-ctags -f - --fields=+sKZF --extras=-q --kinds-C++=+d-m --language-force=C++ "$@" |
    awk -F'\t' '{
      name = $1; file = $2; pattern = $3; kind = ""; scope = ""; static = 0
      for (i = 4; i <= NF; i++) {
        if ($i ~ /^scope:/) scope = substr($i, 7)
        else if ($i == "file:") static = 1
        else if ($i !~ /:/) kind = $i
      }
      if (kind == "namespace") next
      anonymous = scope ~ /^namespace:__anon[^:]*$/ || scope ~ /^enum:__anon[^.]*$/
      if (scope != "" && !anonymous) next
      constant = scope == "" && kind == "variable" && pattern ~ /(^|[^A-Za-z_])(const|constexpr)[ \t]/ && pattern !~ /extern/
      if (anonymous || static || kind == "macro" || constant) print name, file
    }' | sort -u
}
# "name header" for each name a header declares at namespace scope.
header_names() {
  ctags --output-format=u-ctags -f - --fields=+sKZ --extras=-q --kinds-C++=+dp-m --language-force=C++ "$@" |
    awk -F'\t' '{
      scope = ""
      for (i = 4; i <= NF; i++) if ($i ~ /^scope:/) scope = substr($i, 7)
      if (scope == "" || scope ~ /^enum:[^.]*$/) print $1, $2
    }' | sort -u
}

bad=0
report() {  # lines "name file..." of names found in more than one place
  awk '{ seen[$1] = seen[$1] " " $2; n[$1]++ } END { for (k in n) if (n[k] > 1) print k ":" seen[k] }' | sort
}
media=$(ls media/*.cpp)
core=$(ls common/*.cpp engine/*.cpp frame/*.cpp input/*.cpp music/*.cpp game/*.cpp)
media_headers=$(ls media/*.h)
core_headers=$(ls ./*/*.h)
for lib in media core; do
  files=${!lib}
  headers_of=${lib}_headers
  # shellcheck disable=SC2086
  clashes=$( { local_names $files; header_names ${!headers_of} | awk 'NR == FNR { own[$1] = 1; next } $1 in own' <(local_names $files) -; } | report)
  if [ -n "$clashes" ]; then
    echo "local names: in $lib, alike in several files (a batch holding two of them breaks):"
    sed 's/^/  /' <<<"$clashes"
    bad=1
  fi
done
[ $bad -eq 0 ] && echo "local names: every file-local name is its file's own"
exit $bad
