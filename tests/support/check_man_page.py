#!/usr/bin/python3
"""check_man_page.py PAGE [PROGRAM] - renders a manual page the way lintian checks it and fails
on any warning; with PROGRAM, also fails when an option that `PROGRAM --help` lists is missing
from the page, so that a new option cannot reach the help text without reaching the manual."""
import os, re, subprocess, sys

# A switch that stands alone ("-o", "--max-fields"), not a hyphen inside a word ("Ctrl-C").
OPTION = re.compile(r"(?<![\w-])(--?[A-Za-z][A-Za-z0-9-]*)(?![\w-])")


def render_warnings(page):
    env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80")
    run = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", page],
                         env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    return run.stderr.strip() or ("man exited with %d" % run.returncode if run.returncode else "")


def missing_options(page, program):
    helped = subprocess.run([program, "--help"], check=True, capture_output=True, text=True).stdout
    # In the roff source a hyphen of an option is written "\-".
    source = open(page, encoding="utf-8").read().replace("\\-", "-")
    documented = set(OPTION.findall(source))
    return sorted(set(OPTION.findall(helped)) - documented)


def main():
    page = sys.argv[1]
    problems = []
    warnings = render_warnings(page)
    if warnings:
        problems.append("%s renders with warnings:\n%s" % (page, warnings))
    if len(sys.argv) > 2:
        for option in missing_options(page, sys.argv[2]):
            problems.append("%s lists %s, the manual page does not" % (sys.argv[2], option))
    print("\n".join(problems))
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
