"""Where the program keeps its settings file."""

from harness import GlintboxTestCase


class ProgramFolderTest(GlintboxTestCase):
    def test_a_program_under_a_Temp_folder_keeps_its_file_in_the_current_directory(self):
        # Run straight out of an archive, the program's folder is a throw-away one.
        with self.started_copy(under="Temp") as program:
            self.assertDefaultIni(self.wait_for_ini(program, path=program.cwd / "Glintbox.ini"))
            self.assertFalse(program.ini.exists())

    def test_the_Temp_rule_is_case_sensitive(self):
        for name in ("TEMP", "temp"):
            with self.subTest(name):
                with self.started_copy(under=name) as program:
                    self.assertDefaultIni(self.wait_for_ini(program))
                    self.assertFalse((program.cwd / "Glintbox.ini").exists())
