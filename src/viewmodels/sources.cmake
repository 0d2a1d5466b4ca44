# Files of src/viewmodels
