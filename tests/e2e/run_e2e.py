"""Runs every tests/e2e/test_*.py and ends with the line "N passed, N failed"."""

import shutil
import sys
import unittest
from pathlib import Path

import harness


class CountingResult(unittest.TextTestResult):
    """Counts sub-tests one by one, so that each case of a table is a pass or a failure."""

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.passed = 0
        self.failed = 0
        self._had_subtests = set()

    def addSubTest(self, test, subtest, err):
        super().addSubTest(test, subtest, err)
        self._had_subtests.add(test.id())
        if err is None:
            self.passed += 1
        else:
            self.failed += 1

    def addSuccess(self, test):
        super().addSuccess(test)
        if test.id() not in self._had_subtests:
            self.passed += 1

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self.failed += 1

    def addError(self, test, err):
        super().addError(test, err)
        self.failed += 1


def main():
    here = Path(__file__).resolve().parent
    if not harness.EXE.is_file():
        print(f"{harness.EXE} does not exist: build it first")
        print("0 passed, 1 failed")
        return 1
    shutil.rmtree(harness.LOGS, ignore_errors=True)
    pattern = sys.argv[1] if len(sys.argv) > 1 else "test_*.py"
    suite = unittest.defaultTestLoader.discover(str(here), pattern=pattern, top_level_dir=str(here))
    runner = unittest.TextTestRunner(stream=sys.stdout, verbosity=2, resultclass=CountingResult)
    try:
        result = runner.run(suite)
    finally:
        harness.remove_work_dir()
    line = f"{result.passed} passed, {result.failed} failed"
    if result.skipped:
        line += f", {len(result.skipped)} skipped"
    print(line)
    return 0 if result.failed == 0 and result.passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
