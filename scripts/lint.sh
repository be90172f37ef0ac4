#!/usr/bin/env bash
# Fails when a C++ file of ours strays from .clang-format, or when clang-tidy (.clang-tidy) finds
# anything in the program's own code; prints the first differences or findings.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
mapfile -t files < <(git ls-files -co --exclude-standard '*.cc' '*.h' | grep -v '^build')
if ! clang-format --dry-run --Werror "${files[@]}" 2> /tmp/tellaria-lint.log; then
    head -40 /tmp/tellaria-lint.log
    echo "Files differ from .clang-format; run: clang-format -i \$(git ls-files '*.cc' '*.h')" >&2
    exit 1
fi
echo "lint: ${#files[@]} files follow .clang-format"

# clang-tidy reads the build's compile commands, and the moc output a file may include.
cmake --build "$build_dir" --target tellaria_desktop_autogen tellaria_widgets_autogen \
    tellaria_browser_autogen tellaria_ui_autogen tellaria_program_autogen > /dev/null
mapfile -t sources < <(git ls-files 'core/*.cc' 'desktop/*.cc' 'widgets/*.cc' 'browser/*.cc' \
                                    'ui/*.cc' 'app/*.cc')
# clang-tidy is clang, which cannot read GCC's precompiled headers (cmake/Precompiled.cmake): it
# reads the commands without them, each file then including its own headers.
tidy_dir=$(mktemp -d)
trap 'rm -rf "$tidy_dir"' EXIT
sed -E -e 's# -include [^ ]*/cmake_pch\.hxx##g' -e 's# -W(no-error=)?invalid-pch##g' \
    "$build_dir/compile_commands.json" > "$tidy_dir/compile_commands.json"
if ! printf '%s\n' "${sources[@]}" \
        | xargs -P "$(nproc)" -n 4 clang-tidy -p "$tidy_dir" --quiet \
            > /tmp/tellaria-tidy.log 2>&1; then
    grep -E 'warning:|error:' /tmp/tellaria-tidy.log | head -40
    echo "clang-tidy found the above (.clang-tidy)" >&2
    exit 1
fi
echo "lint: ${#sources[@]} sources pass clang-tidy"
