#!/usr/bin/env bash
# Builds the RTF quality corpus from documentation found on this machine:
# every source goes through one current RTF writer, and LibreOffice's own
# plain-text export of each RTF is kept as the reference. Outputs are cached:
# a file that exists is not made again (delete the folder to start over).
#
#   bench/rtf_corpus.sh [FOLDER]     (default build-bench/rtf-corpus)
#
# Needs soffice (libreoffice-writer), pandoc and latex2rtf.
set -euo pipefail

out=${1:-build-bench/rtf-corpus}
mkdir -p "$out/rtf" "$out/ref" "$out/src"

for tool in soffice:libreoffice-writer pandoc:pandoc latex2rtf:latex2rtf; do
  if ! command -v "${tool%%:*}" >/dev/null; then
    echo "rtf_corpus: ${tool%%:*} missing: apt-get install ${tool#*:}" >&2
    exit 1
  fi
done

# writer and source; sources missing on this machine are left out.
sources=(
  "lo /usr/share/doc/base-passwd/users-and-groups.html"
  "lo /usr/share/doc/python3/python-policy.html"
  "lo /usr/share/doc/zlib1g-dev/examples/zlib_how.html"
  "lo /usr/share/doc/libffi8/html/The-Closure-API.html"
  "lo /usr/share/doc/texlive-doc/kpathsea/kpathsea.html"
  "lo /usr/share/doc/texlive-doc/texlive/tlmgr.html"
  "lo /usr/share/doc/texlive-doc/texlive/install-tl.html"
  "lo /usr/share/common-licenses/GPL-3"
  "lo /usr/lib/libreoffice/share/template/common/internal/idxexample.odt"
  "lo /usr/lib/libreoffice/share/template/common/officorr/Modern_business_letter_serif.ott"
  "lo /usr/share/doc/texlive-base/readme-html.dir/readme.de.html"
  "lo /usr/share/doc/texlive-base/readme-html.dir/readme.pl.html"
  "lo /usr/share/doc/texlive-base/readme-html.dir/readme.ru.html"
  "lo /usr/share/doc/texlive-base/readme-html.dir/readme.ja.html"
  "pandoc /usr/share/doc/procps/bugs.md"
  "pandoc /usr/share/doc/git/README.md"
  "pandoc /usr/share/doc/systemd/DISTRO_PORTING.md"
  "pandoc /usr/share/doc/libbenchmark-dev/benchmark/reducing_variance.md"
  "pandoc /usr/share/doc/nodejs/api/url.md"
  "pandoc /usr/share/doc/python3-pip/html/installation.md"
  "pandoc /usr/share/doc/libffi8/html/Introduction.html"
  "pandoc /usr/share/doc/nodejs/BUILDING.md"
  "pandoc /usr/share/doc/python3-pip/html/topics/local-project-installs.md"
  "pandoc /usr/share/doc/texlive-doc/texlive/install-tl.html"
  "pandoc /usr/share/doc/texlive-base/readme-html.dir/readme.cs.html"
  "pandoc /usr/share/doc/texlive-base/readme-html.dir/readme.fr.html"
  "pandoc /usr/share/doc/texlive-base/readme-html.dir/readme.vi.html"
  "latex2rtf /usr/share/doc/texlive-doc/bibtex/base/btxdoc.tex.gz"
  "latex2rtf /usr/share/doc/texlive-doc/bibtex/base/btxhak.tex.gz"
  "latex2rtf /usr/share/doc/texlive-doc/dvipdfm/sample.tex"
  "latex2rtf /usr/share/doc/texlive-doc/texlive/texlive-en/archive/bv-live.tex"
  "latex2rtf /usr/share/doc/texlive-doc/texlive/texlive-en/archive/picture.tex"
)

lo_pending=()
for entry in "${sources[@]}"; do
  writer=${entry%% *}
  path=${entry#* }
  if [[ ! -f $path ]]; then
    echo "rtf_corpus: $path not on this machine, left out" >&2
    continue
  fi
  base=$(basename "$path")
  base=${base%.gz}
  name="$writer-${base%.*}"
  rtf="$out/rtf/$name.rtf"
  [[ -s $rtf ]] && continue
  case $writer in
    lo)
      # soffice names its output after its input: copy under the final name.
      ext=${base##*.}
      [[ $ext == "$base" ]] && ext=txt
      cp "$path" "$out/src/$name.$ext"
      lo_pending+=("$out/src/$name.$ext")
      ;;
    pandoc)
      pandoc -s -t rtf -o "$rtf" "$path"
      ;;
    latex2rtf)
      tex="$out/src/$name.tex"
      if [[ $path == *.gz ]]; then zcat "$path" >"$tex"; else cp "$path" "$tex"; fi
      (cd "$out/src" && latex2rtf -o "../rtf/$name.rtf" "$name.tex" \
        >/dev/null 2>&1) || true
      ;;
  esac
done
if ((${#lo_pending[@]})); then
  soffice --headless --convert-to 'rtf:Rich Text Format' --outdir "$out/rtf" \
    "${lo_pending[@]}" >/dev/null 2>&1
fi

# The reference: LibreOffice reading the RTF and writing UTF-8 text, one
# soffice run for all the RTF files that have none yet.
ref_pending=()
for rtf in "$out"/rtf/*.rtf; do
  name=$(basename "$rtf" .rtf)
  [[ -s $out/ref/$name.txt ]] || ref_pending+=("$rtf")
done
if ((${#ref_pending[@]})); then
  soffice --headless --convert-to 'txt:Text (encoded):UTF8' \
    --outdir "$out/ref" "${ref_pending[@]}" >/dev/null 2>&1
fi
ls "$out/rtf" | wc -l | xargs echo "rtf_corpus: files:"
