#!/usr/bin/python3
"""The real program comes up in an X server and draws its main window."""

import harness
from harness import MAIN, E2ETestCase, image_stats


class MainWindowShows(E2ETestCase):
    def test_main_window_has_its_caption_and_designed_client_size_and_draws(self):
        program = self.start()
        window = program.wait_window("Tessara")
        self.assertEqual(window.size, MAIN.client_size)
        self.assertEqual(window.size, (653, 604))

        # Qt maps the window before it has painted it; wait until the picture is
        # not one flat colour, and keep it.
        def drawn():
            shot = self.shot("main-window", window)
            deviation, colours = image_stats(shot)
            return (deviation, colours) if deviation > 0.05 and colours > 16 else None
        deviation, colours = harness.wait_until(drawn, 15, "the main window to be drawn (not blank)",
                                                interval=0.5)
        self.assertGreater(deviation, 0.05)
        self.assertGreater(colours, 16)


if __name__ == "__main__":
    harness.main()
