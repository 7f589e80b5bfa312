"""Runs the tests of tests/e2e/test_*.py that are this run's and ends with the line "N passed,
N failed". tests/e2e/run starts two runs at once: the one on the desktops' prefix runs the tests
that need those desktops; any other test is run by the first run that claims it."""

import os
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


def tests_of(suite):
    for test in suite:
        yield from tests_of(test) if isinstance(test, unittest.TestSuite) else [test]


def claimed(test):
    """Whether this run takes a test that either run may take: the first to claim it does."""
    claims = os.environ.get("GLINTBOX_E2E_CLAIMS")
    try:
        if claims:
            os.close(os.open(os.path.join(claims, test.id()), os.O_CREAT | os.O_EXCL))
        return True
    except FileExistsError:
        return False


class ClaimingSuite(unittest.TestSuite):
    """Runs each test that is this run's: its own at once, a shared one once claimed."""

    def run(self, result, debug=False):
        for test in self:
            if result.shouldStop:
                break
            if harness.needs_desktops(test) or claimed(test):
                test(result)
        return result


def main():
    here = Path(__file__).resolve().parent
    if not harness.EXE.is_file():
        print(f"{harness.EXE} does not exist: build it first")
        print("0 passed, 1 failed")
        return 1
    pattern = sys.argv[1] if len(sys.argv) > 1 else "test_*.py"
    tests = list(tests_of(unittest.defaultTestLoader.discover(
        str(here), pattern=pattern, top_level_dir=str(here))))
    if harness.on_desktops():
        # Its own first; then the shared ones from the end, to meet the other run halfway.
        tests = [t for t in tests if harness.needs_desktops(t)] + [
            t for t in reversed(tests) if not harness.needs_desktops(t)]
    else:
        tests = [t for t in tests if not harness.needs_desktops(t)]
    suite = ClaimingSuite(tests)
    runner = unittest.TextTestRunner(stream=sys.stdout, verbosity=2, resultclass=CountingResult)
    try:
        result = runner.run(suite)
    finally:
        harness.remove_work_dir()
    line = f"{result.passed} passed, {result.failed} failed"
    if result.skipped:
        line += f", {len(result.skipped)} skipped"
    print(line)
    return 0 if result.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
