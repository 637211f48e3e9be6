#!/usr/bin/env python3
"""Plants single-line faults in the core, one at a time, and counts those the test suite catches.

    tools/planted-faults/plant-faults.py choose COUNT [FILE...] > faults.txt   # the same faults each run
    tools/planted-faults/plant-faults.py run faults.txt REPORT        # from a scratch copy of the tree

A fault flips a comparison or a logical operator, moves a constant by one, or drops a statement.
`run` builds the test programs for each fault and runs ctest without the real-input scenarios and
the packaging checks; a fault is caught when a test fails. A fault that does not build is left
out of the count. The tree is restored after each fault.
"""
import pathlib
import random
import re
import subprocess
import sys

CORE = ["platform", "model", "sun", "driver", "document", "bridge"]
TARGETS = ["platform_tests", "driver_tests", "sun_tests", "document_tests", "emulator_tests", "helper_tests",
           "cli_tests", "app_tests", "bridge_tests", "tavorin-cli", "cp290-emulator", "tavorin-helper"]
# Operators as this code writes them, with a blank on each side (so never a template's brackets).
SWAPS = [(r" == ", " != "), (r" != ", " == "), (r" <= ", " < "), (r" >= ", " > "), (r" < ", " <= "),
         (r" > ", " >= "), (r" && ", " || "), (r" \|\| ", " && ")]


def blank_strings(line):
    return re.sub(r'"(\\.|[^"\\])*"|\'(\\.|[^\'\\])*\'', lambda m: " " * len(m.group(0)), line)


def candidates(root):
    faults = []
    for folder in CORE:
        for path in sorted((root / folder).glob("*.cpp")):
            lines = path.read_text().splitlines()
            for number, line in enumerate(lines, 1):
                code = blank_strings(line.split("//")[0])
                stripped = code.strip()
                if not stripped or stripped.startswith("#") or "template" in code or "include" in code:
                    continue
                for pattern, replacement in SWAPS:
                    for match in re.finditer(pattern, code):
                        mutated = line[:match.start()] + replacement + line[match.end():]
                        faults.append((path, number, line, mutated))
                for match in re.finditer(r"(?<![\w.\[])([2-9]|[1-9]\d+)(?![\w.\]])", code):
                    value = int(match.group(1))
                    mutated = line[:match.start()] + str(value + 1) + line[match.end():]
                    faults.append((path, number, line, mutated))
                if (stripped.endswith(";") and not stripped.startswith(("return", "const ", "static ", "using ", "case "))
                        and ("=" in stripped or stripped.endswith(");")) and line.startswith("    ")
                        and not re.match(r"^[\w:<>,\s*&]+\s+\w+\s*(=|;)", stripped)):
                    faults.append((path, number, line, re.match(r"\s*", line).group(0) + ";"))
    return faults


def choose(count, files):
    root = pathlib.Path.cwd()
    pool = [f for f in candidates(root) if not files or str(f[0].relative_to(root)) in files]
    chosen = random.Random(2026).sample(pool, count)
    for path, number, line, mutated in sorted(chosen, key=lambda f: (str(f[0]), f[1])):
        print(f"{path.relative_to(root)}\t{number}\t{line}\t{mutated}")


def run(fault_list, report):
    root = pathlib.Path.cwd()
    build = root / "build"
    subprocess.run(["cmake", "--preset", "default"], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "build", "--target", *TARGETS], check=True, stdout=subprocess.DEVNULL)
    caught = planted = 0
    with open(report, "w") as out:
        for entry in pathlib.Path(fault_list).read_text().splitlines():
            name, number, original, mutated = entry.split("\t")
            path = root / name
            lines = path.read_text().split("\n")
            # The code may have moved since the faults were chosen: the line is found by its text.
            if lines[int(number) - 1] != original:
                matches = [i + 1 for i, line in enumerate(lines) if line == original]
                assert len(matches) == 1, f"{name}:{number} is no longer one line of the file"
                number = str(matches[0])
            lines[int(number) - 1] = mutated
            path.write_text("\n".join(lines))
            try:
                built = subprocess.run(["cmake", "--build", "build", "--target", *TARGETS],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
                if not built:
                    verdict = "does not build"
                else:
                    tests = subprocess.run(["ctest", "--test-dir", str(build), "-j2", "--timeout", "60", "-E",
                                            r"^real\.|^desktop\.|one-process"], capture_output=True, text=True)
                    planted += 1
                    if tests.returncode != 0:
                        caught += 1
                        failed = [l.split("-", 1)[-1].strip().split(" ")[0] for l in tests.stdout.splitlines()
                                  if re.match(r"\s*\d+ - ", l)]
                        verdict = "caught by " + ", ".join(failed[:3]) + (" ..." if len(failed) > 3 else "")
                    else:
                        verdict = "missed"
            finally:
                lines[int(number) - 1] = original
                path.write_text("\n".join(lines))
            out.write(f"{name}:{number}\t{mutated.strip()}\t{verdict}\n")
            out.flush()
        out.write(f"caught {caught} of {planted}\n")
    print(f"caught {caught} of {planted}")


if __name__ == "__main__":
    if len(sys.argv) >= 3 and sys.argv[1] == "choose":
        choose(int(sys.argv[2]), sys.argv[3:])
    elif len(sys.argv) == 4 and sys.argv[1] == "run":
        run(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
