// Pressing the execute button: filled in once the run lands.
