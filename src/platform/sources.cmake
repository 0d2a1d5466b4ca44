# Files of src/platform
